#pragma once

#include "ereport/nrd2009.h"

namespace kalvex::ereport::nrd2018 {

using nrd2009::TXMLLKK;
using nrd2009::TXMLProfilact;
using nrd2009::TXMLVisitFor;
using nrd2009::TXMLVSDVisit;
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

using TXMLSIMPConsult2018 = nrd2009::TXMLSIMPConsult;
using TXMLSIMPConsult2018List = ElementList<TXMLSIMPConsult2018>;
using TXMLRpDrug2018 = nrd2009::TXMLRpDrug;
using TXMLRpDrug2018List = ElementList<TXMLRpDrug2018>;
using TXMLRp2018 = nrd2022::BasicRp<TXMLRpDrug2018>;

using TXMLDocs = nrd2009::BasicDocsWithNote<TXMLSIMPConsult2018, TXMLVSDSIMPConsult2018,
                                            TXMLMDD2018, TXMLHospNapr, TXMLHList, TXMLRp2018>;
using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;

using TXMLPractice = ListedPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2018(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2018
