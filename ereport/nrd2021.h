#pragma once

#include "ereport/nrd2018.h"

namespace kalvex::ereport::nrd2021 {

using nrd2009::TXMLSIMPConsult;
using nrd2009::TXMLSIMPConsultList;
using nrd2018::TXMLLKK;
using nrd2018::TXMLProfilact;
using nrd2018::TXMLVisitFor;
using nrd2018::TXMLVSDVisit;
using TXMLVSDSIMPConsult = nrd2018::TXMLVSDSIMPConsult2018;
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;
using TXMLMDD = nrd2018::TXMLMDD2018;
using TXMLMDDList = ElementList<TXMLMDD>;
using nrd2022::TXMLApr;
using nrd2022::TXMLCOUNTRY;
using nrd2022::TXMLCpr;
using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLHList;
using nrd2022::TXMLHListList;
using nrd2022::TXMLHosp;
using nrd2022::TXMLHospNapr;
using nrd2022::TXMLImun;
using nrd2022::TXMLLKKMember;
using nrd2022::TXMLLKKMemberList;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPatient;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLProcedure_;
using nrd2022::TXMLProcedure_List;
using nrd2022::TXMLReimbursible;
using nrd2022::TXMLReimbursibleList;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;
using nrd2022::TXMLTherapy;
using nrd2022::TXMLVaccine;

using TXMLDocs = nrd2009::BasicDocsWithNote<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD,
                                            TXMLHospNapr, TXMLHList, TXMLRp>;
using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLPractice = nrd2022::SinglePractice<TXMLDoctor>;

inline TXMLPractice GetPractice2021(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2021
