#pragma once

#include <string>

#include "ereport/element.h"

// The root ("Practice") and the reporting doctor of every NRD version, as shapes filled
// with each version's own types. The root gained the fund and contract in NRD 2018 and
// went from a list of doctors to one doctor in NRD 2021, so the shapes share the root's
// own fields and differ only in "Doctor".
namespace kalvex::ereport {

// The root of NRD 2005 to 2015 without its doctors.
class PracticeFields : public Element {
  public:
    using Element::Element;
    std::string PracticeCode() const { return readText("PracticeCode"); }
    std::string PracticeName() const { return readText("PracticeName"); }
    std::string DateFrom() const { return readText("DateFrom"); }
    std::string DateTo() const { return readText("DateTo"); }
    bool ContrHA() const { return readBoolean("ContrHA"); }
};

// The root of NRD 2018 to 2022 without its doctors: it adds the fund and the contract.
class ContractPracticeFields : public PracticeFields {
  public:
    using PracticeFields::PracticeFields;
    std::string NZOKCode() const { return readText("NZOKCode"); }
    std::string ContractNo() const { return readText("ContractNo"); }
    std::string ContractDate() const { return readText("ContractDate"); }
};

}  // namespace kalvex::ereport

namespace kalvex::ereport::nrd2022 {

// The reporting doctor; every version has this shape, with its own sheet type.
template <class AmbListT>
class BasicDoctor : public Element {
  public:
    using Element::Element;
    std::string UIN() const { return readText("UIN"); }
    std::string EGN() const { return readText("EGN"); }
    std::string FullName() const { return readText("FullName"); }
    std::string SIMPCode() const { return readText("SIMPCode"); }
    ElementList<AmbListT> AmbList() const { return readList<AmbListT>("AmbList"); }
};

// The root of NRD 2021 and 2022, with its one reporting doctor.
template <class DoctorT>
class SinglePractice : public ContractPracticeFields {
  public:
    using ContractPracticeFields::ContractPracticeFields;
    DoctorT Doctor() const { return readElement<DoctorT>("Doctor"); }
};

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2005 {

// The root of NRD 2005 to 2015: no fund or contract data, any number of doctors.
template <class DoctorT>
class EarlyPractice : public PracticeFields {
  public:
    using PracticeFields::PracticeFields;
    ElementList<DoctorT> Doctor() const { return readList<DoctorT>("Doctor"); }
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2018 {

// The root of NRD 2018: the fund and contract data of NRD 2022, any number of doctors.
template <class DoctorT>
class ListedPractice : public ContractPracticeFields {
  public:
    using ContractPracticeFields::ContractPracticeFields;
    ElementList<DoctorT> Doctor() const { return readList<DoctorT>("Doctor"); }
};

}  // namespace kalvex::ereport::nrd2018
