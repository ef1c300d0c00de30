#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ereport/element.h"

// The prescriptions of a sheet ("Rp" with its "RpDrug" items) in every NRD version. The
// prescription number came as an integer in NRD 2009 and became text in NRD 2021, so the
// drug of 2021 derives from the part both share rather than from the drug of 2009.
namespace kalvex::ereport::nrd2022 {

// Every version has this shape, with its own drug type.
template <class RpDrugT>
class BasicRp : public Element {
  public:
    using Element::Element;
    std::string RpBook() const { return readText("RpBook"); }
    ElementList<RpDrugT> RpDrug() const { return readList<RpDrugT>("RpDrug"); }
};

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2005 {

// NRD 2005 to 2008.
class TXMLRpDrug : public Element {
  public:
    using Element::Element;
    std::string DrugCode() const { return readText("DrugCode"); }
    std::int32_t Quantity() const { return readInteger("Quantity"); }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = nrd2022::BasicRp<TXMLRpDrug>;

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2009 {

// The drug of NRD 2009 to 2022 without its prescription number.
class RpDrugDetails : public nrd2005::TXMLRpDrug {
  public:
    using nrd2005::TXMLRpDrug::TXMLRpDrug;
    std::string DrugMKB() const { return readText("DrugMKB"); }
    std::int32_t Day() const { return readInteger("Day"); }
};

// NRD 2009 to 2018 (NRD 2018 calls it TXMLRpDrug2018).
class TXMLRpDrug : public RpDrugDetails {
  public:
    using RpDrugDetails::RpDrugDetails;
    std::int32_t PrescNum() const { return readInteger("prescNum"); }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = nrd2022::BasicRp<TXMLRpDrug>;

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2021 {

// NRD 2021 only.
class TXMLRpDrug : public nrd2009::RpDrugDetails {
  public:
    using RpDrugDetails::RpDrugDetails;
    std::string PrescNum() const { return readText("prescNum"); }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = nrd2022::BasicRp<TXMLRpDrug>;

}  // namespace kalvex::ereport::nrd2021

namespace kalvex::ereport::nrd2022 {

class TXMLRpDrug : public nrd2021::TXMLRpDrug {
  public:
    using nrd2021::TXMLRpDrug::TXMLRpDrug;
    std::int32_t AllocationID() const { return readInteger("AllocationID"); }

    // The prescription import corrects these two in memory; the file is never written.
    void Set_DrugCode(std::string_view value) const { writeText("DrugCode", value); }
    void Set_AllocationID(std::int32_t value) const {
        writeText("AllocationID", std::to_string(value));
    }
};
using TXMLRpDrugList = ElementList<TXMLRpDrug>;
using TXMLRp = BasicRp<TXMLRpDrug>;

}  // namespace kalvex::ereport::nrd2022
