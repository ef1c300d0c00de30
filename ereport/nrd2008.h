#pragma once

#include "ereport/nrd2006.h"

namespace kalvex::ereport::nrd2008 {

using nrd2006::TXMLDiag;
using nrd2006::TXMLDiagList;
using nrd2006::TXMLDocs;
using nrd2006::TXMLHired_Subst;
using nrd2006::TXMLHList;
using nrd2006::TXMLImun;
using nrd2006::TXMLLKK;
using nrd2006::TXMLLNCH;
using nrd2006::TXMLMainDiag;
using nrd2006::TXMLMDD;
using nrd2006::TXMLMDDList;
using nrd2006::TXMLName;
using nrd2006::TXMLPrimaryVisit;
using nrd2006::TXMLProcedure_;
using nrd2006::TXMLProcedure_List;
using nrd2006::TXMLProfilact;
using nrd2006::TXMLRp;
using nrd2006::TXMLRpDrug;
using nrd2006::TXMLRpDrugList;
using nrd2006::TXMLSecondaryVisit;
using nrd2006::TXMLSendedFrom;
using nrd2006::TXMLSIMPConsult;
using nrd2006::TXMLSIMPConsultList;
using nrd2006::TXMLSIMPList;
using nrd2006::TXMLVisitFor;
using nrd2006::TXMLVSDSIMPConsult;
using nrd2006::TXMLVSDSIMPConsultList;
using nrd2006::TXMLVSDVisit;

using TXMLAmbList = nrd2005::EarlyAmbList<TXMLPatient, TXMLVisitFor, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2008(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2008
