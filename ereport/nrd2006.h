#pragma once

#include "ereport/nrd2005.h"

namespace kalvex::ereport::nrd2006 {

using nrd2005::TXMLDiag;
using nrd2005::TXMLDiagList;
using nrd2005::TXMLHired_Subst;
using nrd2005::TXMLHList;
using nrd2005::TXMLImun;
using nrd2005::TXMLLKK;
using nrd2005::TXMLLNCH;
using nrd2005::TXMLMainDiag;
using nrd2005::TXMLMDD;
using nrd2005::TXMLMDDList;
using nrd2005::TXMLName;
using nrd2005::TXMLPatient;
using nrd2005::TXMLPrimaryVisit;
using nrd2005::TXMLProcedure_;
using nrd2005::TXMLProcedure_List;
using nrd2005::TXMLRp;
using nrd2005::TXMLRpDrug;
using nrd2005::TXMLRpDrugList;
using nrd2005::TXMLSecondaryVisit;
using nrd2005::TXMLSendedFrom;
using nrd2005::TXMLSIMPConsult;
using nrd2005::TXMLSIMPConsultList;
using nrd2005::TXMLSIMPList;
using nrd2005::TXMLVSDSIMPConsult;
using nrd2005::TXMLVSDSIMPConsultList;
using nrd2005::TXMLVSDVisit;

using TXMLAmbList = nrd2005::EarlyAmbList<TXMLPatient, TXMLVisitFor, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = nrd2005::EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2006(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2006
