#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ereport/element.h"

// NRD 2022: the documents issued on a sheet.
namespace kalvex::ereport::nrd2022 {

class TXMLSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSp() const { return readText("kodSp"); }
    std::int32_t SpFor() const { return readInteger("SpFor"); }
    std::string NoN() const { return readText("NoN"); }
    TXMLMKBCodeType13List SIMPMKB() const { return readTextList("SIMPMKB"); }
    std::string NRN() const { return readText("NRN"); }
    std::string NzisStatus() const { return readText("NzisStatus"); }
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

class TXMLVSDSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSpVSD() const { return readText("kodSpVSD"); }
    std::int32_t VSDFor() const { return readInteger("VSDFor"); }
    std::string NoNVSD() const { return readText("NoNVSD"); }
    std::string KodVSD() const { return readText("kodVSD"); }
    std::string ACHIcode() const { return readText("ACHIcode"); }
    bool HospVSD() const { return readBoolean("HospVSD"); }
    TXMLMKBCodeType13List VSDMKB() const { return readTextList("VSDMKB"); }
    std::string NRN() const { return readText("NRN"); }
    std::string NzisStatus() const { return readText("NzisStatus"); }
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

class TXMLMDD : public Element {
  public:
    using Element::Element;
    std::string NoMDD() const { return readText("NoMDD"); }
    std::int32_t MDDFor() const { return readInteger("MDDFor"); }
    TXMLProcCodeTypeList KodMDD() const { return readTextList("kodMDD"); }
    std::string ACHIcode() const { return readText("ACHIcode"); }
    std::string MDDMKB() const { return readText("MDDMKB"); }
    std::string NRN() const { return readText("NRN"); }
    std::string NzisStatus() const { return readText("NzisStatus"); }
};
using TXMLMDDList = ElementList<TXMLMDD>;

class TXMLLKK : public Element {
  public:
    using Element::Element;
    std::string NoLKK() const { return readText("NoLKK"); }
    TXMLCodeType2List CodeSpec() const { return readTextList("CodeSpec"); }
    std::int32_t TypeLKK() const { return readInteger("TypeLKK"); }
    std::string NRN() const { return readText("NRN"); }
    std::string NzisStatus() const { return readText("NzisStatus"); }
};

class TXMLHosp : public Element {
  public:
    using Element::Element;
    TXMLMKBCodeType13List HospMKB() const { return readTextList("HospMKB"); }
    std::string PathNum() const { return readText("PathNum"); }
    std::string NaprNo() const { return readText("NaprNo"); }
    std::string DateNapr() const { return readText("DateNapr"); }
};

class TXMLCpr : public Element {
  public:
    using Element::Element;
    TXMLMKBCodeType13List CprMKB() const { return readTextList("CprMKB"); }
    std::string CprNum() const { return readText("CprNum"); }
    std::string NaprNo() const { return readText("NaprNo"); }
    std::string DateNapr() const { return readText("DateNapr"); }
};

class TXMLApr : public Element {
  public:
    using Element::Element;
    TXMLMKBCodeType13List AprMKB() const { return readTextList("AprMKB"); }
    std::string AprNum() const { return readText("AprNum"); }
    std::string NaprNo() const { return readText("NaprNo"); }
    std::string DateNapr() const { return readText("DateNapr"); }
};

class TXMLHospNapr : public Element {
  public:
    using Element::Element;
    TXMLHosp Hosp() const { return readElement<TXMLHosp>("Hosp"); }
    TXMLCpr Cpr() const { return readElement<TXMLCpr>("Cpr"); }
    TXMLApr Apr() const { return readElement<TXMLApr>("Apr"); }
};

class TXMLHList : public Element {
  public:
    using Element::Element;
    std::string NoBl() const { return readText("NoBl"); }
    std::uint16_t Days() const { return readWord("days"); }
    std::string HLMKB() const { return readText("HLMKB"); }
    std::string HLFromDate() const { return readText("HLFromDate"); }
    std::string HLToDate() const { return readText("HLToDate"); }
    bool HLtype() const { return readBoolean("HLtype"); }
};
using TXMLHListList = ElementList<TXMLHList>;

class TXMLRpDrug : public Element {
  public:
    using Element::Element;
    std::string PrescNum() const { return readText("prescNum"); }
    std::string DrugCode() const { return readText("DrugCode"); }
    std::string DrugMKB() const { return readText("DrugMKB"); }
    std::int32_t Quantity() const { return readInteger("Quantity"); }
    std::int32_t Day() const { return readInteger("Day"); }
    std::int32_t AllocationID() const { return readInteger("AllocationID"); }

    // The prescription import corrects these two in memory; the file is never written.
    void Set_DrugCode(std::string_view value) const { writeText("DrugCode", value); }
    void Set_AllocationID(std::int32_t value) const {
        writeText("AllocationID", std::to_string(value));
    }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;

// The prescriptions of a sheet; every version has this shape, with its own drug type.
template <class RpDrugT>
class BasicRp : public Element {
  public:
    using Element::Element;
    std::string RpBook() const { return readText("RpBook"); }
    ElementList<RpDrugT> RpDrug() const { return readList<RpDrugT>("RpDrug"); }
};
using TXMLRp = BasicRp<TXMLRpDrug>;

class TXMLDocs : public Element {
  public:
    using Element::Element;
    TXMLSIMPConsultList SIMPConsult() const { return readList<TXMLSIMPConsult>("SIMPConsult"); }
    TXMLVSDSIMPConsultList VSDSIMPConsult() const {
        return readList<TXMLVSDSIMPConsult>("VSDSIMPConsult");
    }
    TXMLMDDList MDD() const { return readList<TXMLMDD>("MDD"); }
    std::int32_t TalonTELK() const { return readInteger("TalonTELK"); }
    TXMLLKK LKK() const { return readElement<TXMLLKK>("LKK"); }
    TXMLHospNapr HospNapr() const { return readElement<TXMLHospNapr>("HospNapr"); }
    TXMLHListList HList() const { return readList<TXMLHList>("HList"); }
    TXMLRp Rp() const { return readElement<TXMLRp>("Rp"); }
    std::int32_t Izvestie() const { return readInteger("Izvestie"); }
    std::int32_t EtEpikriza() const { return readInteger("EtEpikriza"); }
    std::int32_t MedicalNote() const { return readInteger("MedicalNote"); }
};

}  // namespace kalvex::ereport::nrd2022
