#pragma once

#include <cstdint>
#include <string>

#include "ereport/nrd2005_parts.h"

// NRD 2009: the documents of a sheet, and the shape of "Docs" from 2009 to 2021.
namespace kalvex::ereport::nrd2009 {

// Also the one of NRD 2015 to 2021 (NRD 2018 calls it TXMLSIMPConsult2018).
class TXMLSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSp() const { return readText("kodSp"); }
    std::int32_t SpFor() const { return readInteger("SpFor"); }
    std::string NoN() const { return readText("NoN"); }
    TXMLMKBCodeType13List SIMPMKB() const { return readTextList("SIMPMKB"); }
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

// Also the one of NRD 2015.
class TXMLVSDSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSpVSD() const { return readText("kodSpVSD"); }
    std::int32_t VSDFor() const { return readInteger("VSDFor"); }
    std::string NoNVSD() const { return readText("NoNVSD"); }
    std::string KodVSD() const { return readText("kodVSD"); }
    bool HospVSD() const { return readBoolean("HospVSD"); }
    TXMLMKBCodeType13List VSDMKB() const { return readTextList("VSDMKB"); }
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

// Also the one of NRD 2015.
class TXMLMDD : public Element {
  public:
    using Element::Element;
    std::string NoMDD() const { return readText("NoMDD"); }
    std::int32_t MDDFor() const { return readInteger("MDDFor"); }
    TXMLProcCodeTypeList KodMDD() const { return readTextList("kodMDD"); }
    std::string MDDMKB() const { return readText("MDDMKB"); }
};
using TXMLMDDList = ElementList<TXMLMDD>;

// Also the one of NRD 2015: one hospitalisation referral, not yet split in three.
class TXMLHospNapr : public Element {
  public:
    using Element::Element;
    TXMLMKBCodeType13List HospMKB() const { return readTextList("HospMKB"); }
    std::string PathNum() const { return readText("PathNum"); }
    std::string DateNapr() const { return readText("DateNapr"); }
};

// Also the one of NRD 2015 and 2018 (NRD 2018 calls it TXMLRpDrug2018).
class TXMLRpDrug : public Element {
  public:
    using Element::Element;
    std::int32_t PrescNum() const { return readInteger("prescNum"); }
    std::string DrugCode() const { return readText("DrugCode"); }
    std::string DrugMKB() const { return readText("DrugMKB"); }
    std::int32_t Quantity() const { return readInteger("Quantity"); }
    std::int32_t Day() const { return readInteger("Day"); }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = nrd2022::BasicRp<TXMLRpDrug>;

// "Docs" of NRD 2009 to 2021: flags where NRD 2022 has counts.
template <class SIMPConsultT, class VSDSIMPConsultT, class MDDT, class HospNaprT, class HListT,
          class RpT>
class BasicDocs : public Element {
  public:
    using Element::Element;
    ElementList<SIMPConsultT> SIMPConsult() const { return readList<SIMPConsultT>("SIMPConsult"); }
    ElementList<VSDSIMPConsultT> VSDSIMPConsult() const {
        return readList<VSDSIMPConsultT>("VSDSIMPConsult");
    }
    ElementList<MDDT> MDD() const { return readList<MDDT>("MDD"); }
    bool TalonTELK() const { return readBoolean("TalonTELK"); }
    nrd2005::TXMLLKK LKK() const { return readElement<nrd2005::TXMLLKK>("LKK"); }
    HospNaprT HospNapr() const { return readElement<HospNaprT>("HospNapr"); }
    ElementList<HListT> HList() const { return readList<HListT>("HList"); }
    RpT Rp() const { return readElement<RpT>("Rp"); }
    bool Izvestie() const { return readBoolean("Izvestie"); }
    bool EtEpikriza() const { return readBoolean("EtEpikriza"); }
};

// "Docs" of NRD 2018 and 2021, which add the medical note as a flag.
template <class... Parts>
class BasicDocsWithNote : public BasicDocs<Parts...> {
  public:
    using BasicDocs<Parts...>::BasicDocs;
    bool MedicalNote() const { return this->readBoolean("MedicalNote"); }
};

using TXMLDocs = BasicDocs<TXMLSIMPConsult, TXMLVSDSIMPConsult, TXMLMDD, TXMLHospNapr,
                           nrd2005::TXMLHList, TXMLRp>;

}  // namespace kalvex::ereport::nrd2009
