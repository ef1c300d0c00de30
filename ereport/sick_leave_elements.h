#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// The sick-leave certificate ("HList") of every NRD version. Its number changed kind
// twice (an integer to NRD 2009, strict text in NRD 2015, text from NRD 2018 on), so no
// version derives from another: each adds its own "NoBl" to the part they all share.
namespace kalvex::ereport {

class SickLeaveDetails : public Element {
  public:
    using Element::Element;
    std::uint16_t Days() const { return readWord("days"); }
    std::string HLMKB() const { return readText("HLMKB"); }
    std::string HLFromDate() const { return readText("HLFromDate"); }
    std::string HLToDate() const { return readText("HLToDate"); }
    bool HLtype() const { return readBoolean("HLtype"); }
};

}  // namespace kalvex::ereport

namespace kalvex::ereport::nrd2005 {

// NRD 2005 to 2009.
class TXMLHList : public SickLeaveDetails {
  public:
    using SickLeaveDetails::SickLeaveDetails;
    std::int32_t NoBl() const { return readInteger("NoBl"); }
};
using TXMLHListList = ElementList<TXMLHList>;

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2015 {

// NRD 2015 only: an empty number has no value.
class TXMLHList : public SickLeaveDetails {
  public:
    using SickLeaveDetails::SickLeaveDetails;
    std::string NoBl() const { return readStrictText("NoBl"); }
};
using TXMLHListList = ElementList<TXMLHList>;

}  // namespace kalvex::ereport::nrd2015

namespace kalvex::ereport::nrd2022 {

// NRD 2018 to 2022.
class TXMLHList : public SickLeaveDetails {
  public:
    using SickLeaveDetails::SickLeaveDetails;
    std::string NoBl() const { return readText("NoBl"); }
};
using TXMLHListList = ElementList<TXMLHList>;

}  // namespace kalvex::ereport::nrd2022
