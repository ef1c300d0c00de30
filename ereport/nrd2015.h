#pragma once

#include "ereport/nrd2009.h"

namespace kalvex::ereport::nrd2015 {

using nrd2009::TXMLCOUNTRY;
using nrd2009::TXMLDiag;
using nrd2009::TXMLDiagList;
using nrd2009::TXMLHired_Subst;
using nrd2009::TXMLHospNapr;
using nrd2009::TXMLImun;
using nrd2009::TXMLLKK;
using nrd2009::TXMLLKKMember;
using nrd2009::TXMLLKKMemberList;
using nrd2009::TXMLLNCH;
using nrd2009::TXMLMainDiag;
using nrd2009::TXMLMDD;
using nrd2009::TXMLMDDList;
using nrd2009::TXMLName;
using nrd2009::TXMLPatient;
using nrd2009::TXMLPrimaryVisit;
using nrd2009::TXMLProcedure_;
using nrd2009::TXMLProcedure_List;
using nrd2009::TXMLProfilact;
using nrd2009::TXMLReimbursible;
using nrd2009::TXMLReimbursibleList;
using nrd2009::TXMLRp;
using nrd2009::TXMLRpDrug;
using nrd2009::TXMLRpDrugList;
using nrd2009::TXMLSecondaryVisit;
using nrd2009::TXMLSendedFrom;
using nrd2009::TXMLSIMPConsult;
using nrd2009::TXMLSIMPConsultList;
using nrd2009::TXMLSIMPList;
using nrd2009::TXMLTherapy;
using nrd2009::TXMLVisitFor;
using nrd2009::TXMLVSDSIMPConsult;
using nrd2009::TXMLVSDSIMPConsultList;
using nrd2009::TXMLVSDVisit;

using TXMLDocs = nrd2009::BasicDocs<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD, TXMLHospNapr,
                                    TXMLHList, TXMLRp>;
using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2015(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2015
