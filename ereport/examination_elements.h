#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// What a sheet records of the examination itself: diagnoses, procedures, therapy and
// immunisations, in every NRD version. A version that only adds properties derives from
// the one it extends.
namespace kalvex::ereport::nrd2022 {

// Every version has both diagnoses unchanged.
class TXMLMainDiag : public Element {
  public:
    using Element::Element;
    std::string ImeMD() const { return readText("imeMD"); }
    std::string MKB() const { return readText("MKB"); }
    std::string ImeLinkD() const { return readText("imeLinkD"); }
    std::string MKBLinkD() const { return readText("MKBLinkD"); }
};

class TXMLDiag : public Element {
  public:
    using Element::Element;
    std::string ImeD() const { return readText("imeD"); }
    std::string MKB() const { return readText("MKB"); }
    std::string ImeLinkD() const { return readText("imeLinkD"); }
    std::string MKBLinkD() const { return readText("MKBLinkD"); }
};
using TXMLDiagList = ElementList<TXMLDiag>;

// NRD 2009 to 2022; earlier sheets hold the therapy as plain text.
class TXMLReimbursible : public Element {
  public:
    using Element::Element;
    std::string DrugCode() const { return readText("DrugCode"); }
    std::string DrugMKB() const { return readText("DrugMKB"); }
    std::int32_t Quantity() const { return readInteger("Quantity"); }
    std::int32_t Day() const { return readInteger("Day"); }
};
using TXMLReimbursibleList = ElementList<TXMLReimbursible>;

class TXMLTherapy : public Element {
  public:
    using Element::Element;
    std::string Nonreimburce() const { return readText("Nonreimburce"); }
    TXMLReimbursibleList Reimbursible() const { return readList<TXMLReimbursible>("Reimbursible"); }
};

// NRD 2018 to 2022.
class TXMLVaccine : public Element {
  public:
    using Element::Element;
    std::string VaccineNo() const { return readText("VaccineNo"); }
    std::string VaccineType() const { return readText("VaccineType"); }
};

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2005 {

// NRD 2005 to 2015.
class TXMLProcedure_ : public Element {
  public:
    using Element::Element;
    std::string ImeP() const { return readText("imeP"); }
    std::string KodP() const { return readText("kodP"); }
    std::int32_t CountP() const { return readInteger("CountP"); }
};
using TXMLProcedure_List = ElementList<TXMLProcedure_>;

// NRD 2005 to 2015.
class TXMLImun : public Element {
  public:
    using Element::Element;
    TXMLCodeType2List CodeImun() const { return readTextList("CodeImun"); }
    std::string Mantu() const { return readText("Mantu"); }
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2018 {

// NRD 2018 only.
class TXMLImun : public nrd2005::TXMLImun {
  public:
    using nrd2005::TXMLImun::TXMLImun;
    nrd2022::TXMLVaccine Vaccine() const { return readElement<nrd2022::TXMLVaccine>("Vaccine"); }
};

}  // namespace kalvex::ereport::nrd2018

namespace kalvex::ereport::nrd2022 {

// NRD 2018 to 2022.
class TXMLProcedure_ : public nrd2005::TXMLProcedure_ {
  public:
    using nrd2005::TXMLProcedure_::TXMLProcedure_;
    std::string ACHIcode() const { return readText("ACHIcode"); }
};
using TXMLProcedure_List = ElementList<TXMLProcedure_>;

// NRD 2021 and 2022.
class TXMLImun : public nrd2018::TXMLImun {
  public:
    using nrd2018::TXMLImun::TXMLImun;
    std::string NoImun() const { return readText("NoImun"); }
};

}  // namespace kalvex::ereport::nrd2022
