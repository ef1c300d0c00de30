#pragma once

#include <cstdint>
#include <string>

#include "ereport/nrd2022.h"

// NRD 2005: the element types below the sheet that differ from NRD 2022. Later
// versions that kept a type unchanged name these same classes.
namespace kalvex::ereport::nrd2005 {

// Also the patient of NRD 2006.
class TXMLPatient : public Element {
  public:
    using Element::Element;
    std::string EGN() const { return readText("EGN"); }
    nrd2022::TXMLLNCH LNCH() const { return readElement<nrd2022::TXMLLNCH>("LNCH"); }
    std::string RZOK() const { return readText("RZOK"); }
    std::string ZdrRajon() const { return readText("ZdrRajon"); }
    nrd2022::TXMLName Name() const { return readElement<nrd2022::TXMLName>("Name"); }
    std::string Address() const { return readText("Address"); }
};

// Also the procedure of NRD 2006 to 2015.
class TXMLProcedure_ : public Element {
  public:
    using Element::Element;
    std::string ImeP() const { return readText("imeP"); }
    std::string KodP() const { return readText("kodP"); }
    std::int32_t CountP() const { return readInteger("CountP"); }
};
using TXMLProcedure_List = ElementList<TXMLProcedure_>;

class TXMLProfilact : public Element {
  public:
    using Element::Element;
    bool Child() const { return readBoolean("Child"); }
    bool Mother() const { return readBoolean("Mother"); }
    std::int32_t GestWeek() const { return readInteger("GestWeek"); }
    bool Over18() const { return readBoolean("Over18"); }
};

// Also the one of NRD 2006 to 2021.
class TXMLVSDVisit : public Element {
  public:
    using Element::Element;
    bool Hosp() const { return readBoolean("Hosp"); }
};

class TXMLVisitFor : public Element {
  public:
    using Element::Element;
    bool Consult() const { return readBoolean("Consult"); }
    TXMLProfilact Profilact() const { return readElement<TXMLProfilact>("Profilact"); }
    bool Disp() const { return readBoolean("Disp"); }
    TXMLVSDVisit VSDVisit() const { return readElement<TXMLVSDVisit>("VSDVisit"); }
    bool RpHosp() const { return readBoolean("RpHosp"); }
    bool LKKVisit() const { return readBoolean("LKKVisit"); }
    bool Telk() const { return readBoolean("Telk"); }
};

// Also the one of NRD 2006 to 2015.
class TXMLImun : public Element {
  public:
    using Element::Element;
    TXMLCodeType2List CodeImun() const { return readTextList("CodeImun"); }
    std::string Mantu() const { return readText("Mantu"); }
};

// Also the one of NRD 2006 and 2008.
class TXMLSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSp() const { return readText("kodSp"); }
    std::int32_t SpFor() const { return readInteger("SpFor"); }
    std::string NoN() const { return readText("NoN"); }
};
using TXMLSIMPConsultList = ElementList<TXMLSIMPConsult>;

// Also the one of NRD 2006 and 2008.
class TXMLVSDSIMPConsult : public Element {
  public:
    using Element::Element;
    std::string KodSpVSD() const { return readText("kodSpVSD"); }
    std::int32_t VSDFor() const { return readInteger("VSDFor"); }
    std::string NoNVSD() const { return readText("NoNVSD"); }
    std::string KodVSD() const { return readText("kodVSD"); }
    bool HospVSD() const { return readBoolean("HospVSD"); }
};
using TXMLVSDSIMPConsultList = ElementList<TXMLVSDSIMPConsult>;

// Also the one of NRD 2006 and 2008.
class TXMLMDD : public Element {
  public:
    using Element::Element;
    std::string NoMDD() const { return readText("NoMDD"); }
    std::int32_t MDDFor() const { return readInteger("MDDFor"); }
    TXMLProcCodeTypeList KodMDD() const { return readTextList("kodMDD"); }
};
using TXMLMDDList = ElementList<TXMLMDD>;

// Also the one of NRD 2006 to 2021.
class TXMLLKK : public Element {
  public:
    using Element::Element;
    std::string NoLKK() const { return readText("NoLKK"); }
    TXMLCodeType2List CodeSpec() const { return readTextList("CodeSpec"); }
    std::int32_t TypeLKK() const { return readInteger("TypeLKK"); }
};

// Also the one of NRD 2006 to 2009: the certificate number is a number here.
class TXMLHList : public Element {
  public:
    using Element::Element;
    std::int32_t NoBl() const { return readInteger("NoBl"); }
    std::uint16_t Days() const { return readWord("days"); }
    std::string HLMKB() const { return readText("HLMKB"); }
    std::string HLFromDate() const { return readText("HLFromDate"); }
    std::string HLToDate() const { return readText("HLToDate"); }
    bool HLtype() const { return readBoolean("HLtype"); }
};
using TXMLHListList = ElementList<TXMLHList>;

// Also the one of NRD 2006 and 2008.
class TXMLRpDrug : public Element {
  public:
    using Element::Element;
    std::string DrugCode() const { return readText("DrugCode"); }
    std::int32_t Quantity() const { return readInteger("Quantity"); }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = nrd2022::BasicRp<TXMLRpDrug>;

class TXMLDocs : public Element {
  public:
    using Element::Element;
    TXMLSIMPConsultList SIMPConsult() const { return readList<TXMLSIMPConsult>("SIMPConsult"); }
    TXMLVSDSIMPConsultList VSDSIMPConsult() const {
        return readList<TXMLVSDSIMPConsult>("VSDSIMPConsult");
    }
    TXMLMDDList MDD() const { return readList<TXMLMDD>("MDD"); }
    TXMLLKK LKK() const { return readElement<TXMLLKK>("LKK"); }
    bool Hospitaliz() const { return readBoolean("Hospitaliz"); }
    // A single certificate per sheet: a second "HList" is not reachable.
    TXMLHList HList() const { return readElement<TXMLHList>("HList"); }
    TXMLRp Rp() const { return readElement<TXMLRp>("Rp"); }
    bool Izvestie() const { return readBoolean("Izvestie"); }
    bool EtEpikriza() const { return readBoolean("EtEpikriza"); }
};

}  // namespace kalvex::ereport::nrd2005
