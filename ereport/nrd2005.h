#pragma once

#include "ereport/amb_list_elements.h"
#include "ereport/docs_elements.h"
#include "ereport/document.h"
#include "ereport/practice_elements.h"

// NRD 2005: the root with its list of doctors and the sheet. Its element types live in
// the family headers, beside the versions that extend them.
namespace kalvex::ereport::nrd2005 {

using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;

// The 2005 sheet alone also says whether the examination was a home visit.
class TXMLAmbList : public EarlyAmbList<TXMLPatient, TXMLVisitFor, TXMLDocs> {
  public:
    using EarlyAmbList::EarlyAmbList;
    bool Portable() const { return readBoolean("Portable"); }
};
using TXMLAmbListList = ElementList<TXMLAmbList>;

using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;
using TXMLPractice = EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2005(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2005
