#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// The patient of a sheet with its documents, and the hired or substitute doctor, in
// every NRD version. A version that only adds properties derives from the one it extends.
namespace kalvex::ereport::nrd2022 {

// Every version has these three unchanged.
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

class TXMLName : public Element {
  public:
    using Element::Element;
    std::string Given() const { return readText("Given"); }
    std::string Sur() const { return readText("Sur"); }
    std::string Family() const { return readText("Family"); }
};

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2005 {

// NRD 2005 and 2006.
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

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2008 {

// NRD 2008 only: the two codes, before the certificate details came in 2009.
class TXMLCOUNTRY : public Element {
  public:
    using Element::Element;
    std::string COUNTRYCODE() const { return readText("COUNTRYCODE"); }
    std::string COUNTRYIDNO() const { return readText("COUNTRYIDNO"); }
};

// NRD 2008 only. Later patients do not derive from it: their "COUNTRY" is the larger one.
class TXMLPatient : public nrd2005::TXMLPatient {
  public:
    using nrd2005::TXMLPatient::TXMLPatient;
    TXMLCOUNTRY COUNTRY() const { return readElement<TXMLCOUNTRY>("COUNTRY"); }
};

}  // namespace kalvex::ereport::nrd2008

namespace kalvex::ereport::nrd2022 {

// NRD 2009 to 2022.
class TXMLCOUNTRY : public nrd2008::TXMLCOUNTRY {
  public:
    using nrd2008::TXMLCOUNTRY::TXMLCOUNTRY;
    std::string Type_CERTIFICATE() const { return readText("Type_CERTIFICATE"); }
    std::string DateIssue() const { return readText("DateIssue"); }
    std::string DateFrom() const { return readText("DateFrom"); }
    std::string DateTo() const { return readText("DateTo"); }
    std::string EHIC_No() const { return readText("EHIC_No"); }
    std::string PersID_No() const { return readText("PersID_No"); }
};

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2009 {

// NRD 2009 and 2015.
class TXMLPatient : public nrd2005::TXMLPatient {
  public:
    using nrd2005::TXMLPatient::TXMLPatient;
    std::string SS_No() const { return readText("SS_No"); }
    nrd2022::TXMLCOUNTRY COUNTRY() const { return readElement<nrd2022::TXMLCOUNTRY>("COUNTRY"); }
};

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2022 {

// NRD 2018 to 2022.
class TXMLPatient : public nrd2009::TXMLPatient {
  public:
    using nrd2009::TXMLPatient::TXMLPatient;
    std::int32_t IsHealthInsurance() const { return readInteger("IsHealthInsurance"); }
};

}  // namespace kalvex::ereport::nrd2022
