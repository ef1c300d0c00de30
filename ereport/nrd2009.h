#pragma once

#include "ereport/nrd2006.h"

namespace kalvex::ereport::nrd2009 {

using nrd2005::TXMLHList;
using nrd2005::TXMLHListList;
using nrd2005::TXMLImun;
using nrd2005::TXMLLKK;
using nrd2005::TXMLProcedure_;
using nrd2005::TXMLProcedure_List;
using nrd2005::TXMLVSDVisit;
using nrd2006::TXMLProfilact;
using nrd2022::TXMLCOUNTRY;
using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLLKKMember;
using nrd2022::TXMLLKKMemberList;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLReimbursible;
using nrd2022::TXMLReimbursibleList;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;
using nrd2022::TXMLTherapy;

using TXMLDocs = BasicDocs<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD, TXMLHospNapr,
                           nrd2005::TXMLHList, TXMLRp>;
using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2009(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2009
