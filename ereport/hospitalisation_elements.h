#pragma once

#include <string>

#include "ereport/element.h"

// The hospitalisation referral of a sheet: one referral in NRD 2009 and 2015, split from
// NRD 2018 on into hospitalisation, clinical and ambulatory procedure referrals.
namespace kalvex::ereport::nrd2009 {

// NRD 2009 and 2015.
class TXMLHospNapr : public Element {
  public:
    using Element::Element;
    TXMLMKBCodeType13List HospMKB() const { return readTextList("HospMKB"); }
    std::string PathNum() const { return readText("PathNum"); }
    std::string DateNapr() const { return readText("DateNapr"); }
};

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2022 {

// NRD 2018 to 2022: the single referral of NRD 2009, moved one level down and numbered.
class TXMLHosp : public nrd2009::TXMLHospNapr {
  public:
    using nrd2009::TXMLHospNapr::TXMLHospNapr;
    std::string NaprNo() const { return readText("NaprNo"); }
};

// NRD 2018 to 2022, as are the two below.
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

}  // namespace kalvex::ereport::nrd2022
