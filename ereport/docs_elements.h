#pragma once

#include <cstdint>

#include "ereport/element.h"
#include "ereport/hospitalisation_elements.h"
#include "ereport/prescription_elements.h"
#include "ereport/referral_elements.h"
#include "ereport/sick_leave_elements.h"

// The documents a sheet issues ("Docs") as shapes filled with each NRD version's own types.
// The flags of NRD 2005 to 2021 became counts in NRD 2022, and the certificate became a
// list in NRD 2009, so the shapes share only the documents every version lists.
namespace kalvex::ereport {

template <class SIMPConsultT, class VSDSIMPConsultT, class MDDT, class LKKT, class RpT>
class DocsFields : public Element {
  public:
    using Element::Element;
    ElementList<SIMPConsultT> SIMPConsult() const { return readList<SIMPConsultT>("SIMPConsult"); }
    ElementList<VSDSIMPConsultT> VSDSIMPConsult() const {
        return readList<VSDSIMPConsultT>("VSDSIMPConsult");
    }
    ElementList<MDDT> MDD() const { return readList<MDDT>("MDD"); }
    LKKT LKK() const { return readElement<LKKT>("LKK"); }
    RpT Rp() const { return readElement<RpT>("Rp"); }
};

}  // namespace kalvex::ereport

namespace kalvex::ereport::nrd2005 {

// NRD 2005 only.
class TXMLDocs : public DocsFields<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD, TXMLLKK, TXMLRp> {
  public:
    using DocsFields::DocsFields;
    bool Hospitaliz() const { return readBoolean("Hospitaliz"); }
    // A single certificate per sheet: a second "HList" is not reachable.
    TXMLHList HList() const { return readElement<TXMLHList>("HList"); }
    bool Izvestie() const { return readBoolean("Izvestie"); }
    bool EtEpikriza() const { return readBoolean("EtEpikriza"); }
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2006 {

// NRD 2006 and 2008.
class TXMLDocs : public nrd2005::TXMLDocs {
  public:
    using nrd2005::TXMLDocs::TXMLDocs;
    bool TalonTELK() const { return readBoolean("TalonTELK"); }
};

}  // namespace kalvex::ereport::nrd2006

namespace kalvex::ereport::nrd2009 {

// "Docs" of NRD 2009 to 2021: flags where NRD 2022 has counts.
template <class SIMPConsultT, class VSDSIMPConsultT, class MDDT, class HospNaprT, class HListT,
          class RpT>
class BasicDocs : public DocsFields<SIMPConsultT, VSDSIMPConsultT, MDDT, nrd2005::TXMLLKK, RpT> {
    using Fields = DocsFields<SIMPConsultT, VSDSIMPConsultT, MDDT, nrd2005::TXMLLKK, RpT>;

  public:
    using Fields::Fields;
    bool TalonTELK() const { return this->readBoolean("TalonTELK"); }
    HospNaprT HospNapr() const { return this->template readElement<HospNaprT>("HospNapr"); }
    ElementList<HListT> HList() const { return this->template readList<HListT>("HList"); }
    bool Izvestie() const { return this->readBoolean("Izvestie"); }
    bool EtEpikriza() const { return this->readBoolean("EtEpikriza"); }
};

// "Docs" of NRD 2018 and 2021, which add the medical note as a flag.
template <class... Parts>
class BasicDocsWithNote : public BasicDocs<Parts...> {
  public:
    using BasicDocs<Parts...>::BasicDocs;
    bool MedicalNote() const { return this->readBoolean("MedicalNote"); }
};

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2022 {

class TXMLDocs : public DocsFields<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD, TXMLLKK, TXMLRp> {
  public:
    using DocsFields::DocsFields;
    std::int32_t TalonTELK() const { return readInteger("TalonTELK"); }
    TXMLHospNapr HospNapr() const { return readElement<TXMLHospNapr>("HospNapr"); }
    TXMLHListList HList() const { return readList<TXMLHList>("HList"); }
    std::int32_t Izvestie() const { return readInteger("Izvestie"); }
    std::int32_t EtEpikriza() const { return readInteger("EtEpikriza"); }
    std::int32_t MedicalNote() const { return readInteger("MedicalNote"); }
};

}  // namespace kalvex::ereport::nrd2022
