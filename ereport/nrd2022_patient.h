#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// NRD 2022: the patient of a sheet and the hired or substitute doctor.
namespace kalvex::ereport::nrd2022 {

class TXMLHired_Subst : public Element {
  public:
    using Element::Element;
    bool H_S() const { return readBoolean("H_S"); }
    std::string UINH_S() const { return readText("UINH_S"); }
    std::string FullNameH_S() const { return readText("FullNameH_S"); }
};

class TXMLLNCH : public Element {
  public:
    using Element::Element;
    std::string DateBirth() const { return readText("dateBirth"); }
    bool Sex() const { return readBoolean("Sex"); }
};

class TXMLCOUNTRY : public Element {
  public:
    using Element::Element;
    std::string COUNTRYCODE() const { return readText("COUNTRYCODE"); }
    std::string COUNTRYIDNO() const { return readText("COUNTRYIDNO"); }
    std::string Type_CERTIFICATE() const { return readText("Type_CERTIFICATE"); }
    std::string DateIssue() const { return readText("DateIssue"); }
    std::string DateFrom() const { return readText("DateFrom"); }
    std::string DateTo() const { return readText("DateTo"); }
    std::string EHIC_No() const { return readText("EHIC_No"); }
    std::string PersID_No() const { return readText("PersID_No"); }
};

class TXMLName : public Element {
  public:
    using Element::Element;
    std::string Given() const { return readText("Given"); }
    std::string Sur() const { return readText("Sur"); }
    std::string Family() const { return readText("Family"); }
};

class TXMLPatient : public Element {
  public:
    using Element::Element;
    std::string EGN() const { return readText("EGN"); }
    TXMLLNCH LNCH() const { return readElement<TXMLLNCH>("LNCH"); }
    std::string SS_No() const { return readText("SS_No"); }
    TXMLCOUNTRY COUNTRY() const { return readElement<TXMLCOUNTRY>("COUNTRY"); }
    std::string RZOK() const { return readText("RZOK"); }
    std::string ZdrRajon() const { return readText("ZdrRajon"); }
    TXMLName Name() const { return readElement<TXMLName>("Name"); }
    std::string Address() const { return readText("Address"); }
    std::int32_t IsHealthInsurance() const { return readInteger("IsHealthInsurance"); }
};

}  // namespace kalvex::ereport::nrd2022
