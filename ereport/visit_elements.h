#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// Why the patient came: the referral that brought them and the reason of the visit, in
// every NRD version. A version that only adds properties derives from the one it extends;
// NRD 2022 counts where earlier versions have flags, so its types stand alone.
namespace kalvex::ereport::nrd2022 {

// Every version has the referral part unchanged.
class TXMLSendedFrom : public Element {
  public:
    using Element::Element;
    std::string PracticeCode() const { return readText("PracticeCode"); }
    std::string UIN() const { return readText("UIN"); }
    std::string SIMPCode() const { return readText("SIMPCode"); }
    bool H_S() const { return readBoolean("H_S"); }
    std::string UINH_S() const { return readText("UINH_S"); }
};

class TXMLPrimaryVisit : public Element {
  public:
    using Element::Element;
    std::int32_t VidNapr() const { return readInteger("VidNapr"); }
    std::string NoNapr() const { return readText("NoNapr"); }
    std::int32_t NaprFor() const { return readInteger("NaprFor"); }
    std::string DateNapr() const { return readText("dateNapr"); }
    TXMLSendedFrom SendedFrom() const { return readElement<TXMLSendedFrom>("SendedFrom"); }
};

class TXMLSecondaryVisit : public Element {
  public:
    using Element::Element;
    std::string NoAmbL() const { return readText("NoAmbL"); }
    std::string DateAmbL() const { return readText("dateAmbL"); }
};

class TXMLSIMPList : public Element {
  public:
    using Element::Element;
    TXMLPrimaryVisit PrimaryVisit() const { return readElement<TXMLPrimaryVisit>("PrimaryVisit"); }
    TXMLSecondaryVisit SecondaryVisit() const {
        return readElement<TXMLSecondaryVisit>("SecondaryVisit");
    }
};

// NRD 2009 to 2022.
class TXMLLKKMember : public Element {
  public:
    using Element::Element;
    std::string UIN() const { return readText("UIN"); }
    std::string SIMPCode() const { return readText("SIMPCode"); }
};
using TXMLLKKMemberList = ElementList<TXMLLKKMember>;

}  // namespace kalvex::ereport::nrd2022

namespace kalvex::ereport::nrd2005 {

// NRD 2005 only.
class TXMLProfilact : public Element {
  public:
    using Element::Element;
    bool Child() const { return readBoolean("Child"); }
    bool Mother() const { return readBoolean("Mother"); }
    std::int32_t GestWeek() const { return readInteger("GestWeek"); }
    bool Over18() const { return readBoolean("Over18"); }
};

// NRD 2005 to 2021.
class TXMLVSDVisit : public Element {
  public:
    using Element::Element;
    bool Hosp() const { return readBoolean("Hosp"); }
};

// "VisitFor" of NRD 2005 to 2021 with the version's "Profilact": flags where NRD 2022
// has counts.
template <class ProfilactT>
class FlagVisitFor : public Element {
  public:
    using Element::Element;
    bool Consult() const { return readBoolean("Consult"); }
    ProfilactT Profilact() const { return readElement<ProfilactT>("Profilact"); }
    bool Disp() const { return readBoolean("Disp"); }
    TXMLVSDVisit VSDVisit() const { return readElement<TXMLVSDVisit>("VSDVisit"); }
    bool RpHosp() const { return readBoolean("RpHosp"); }
    bool LKKVisit() const { return readBoolean("LKKVisit"); }
    bool Telk() const { return readBoolean("Telk"); }
};

// NRD 2005 only.
class TXMLVisitFor : public FlagVisitFor<TXMLProfilact> {
  public:
    using FlagVisitFor::FlagVisitFor;
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2006 {

// NRD 2006 to 2021.
class TXMLProfilact : public nrd2005::TXMLProfilact {
  public:
    using nrd2005::TXMLProfilact::TXMLProfilact;
    bool Risk() const { return readBoolean("Risk"); }
};

// NRD 2006 and 2008.
class TXMLVisitFor : public nrd2005::FlagVisitFor<TXMLProfilact> {
  public:
    using FlagVisitFor::FlagVisitFor;
    std::int32_t CountLKKMembers() const { return readInteger("CountLKKMembers"); }
};

}  // namespace kalvex::ereport::nrd2006

namespace kalvex::ereport::nrd2009 {

// NRD 2009 to 2021.
class TXMLVisitFor : public nrd2006::TXMLVisitFor {
  public:
    using nrd2006::TXMLVisitFor::TXMLVisitFor;
    nrd2022::TXMLLKKMemberList LKKMember() const {
        return readList<nrd2022::TXMLLKKMember>("LKKMember");
    }
};

}  // namespace kalvex::ereport::nrd2009

namespace kalvex::ereport::nrd2022 {

class TXMLProfilact : public Element {
  public:
    using Element::Element;
    std::int32_t Child() const { return readInteger("Child"); }
    std::int32_t Mother() const { return readInteger("Mother"); }
    std::int32_t GestWeek() const { return readInteger("GestWeek"); }
    std::int32_t Over18() const { return readInteger("Over18"); }
    std::int32_t Risk() const { return readInteger("Risk"); }
};

// Here "Hosp" is a value; under "HospNapr" it is a structured element (TXMLHosp).
class TXMLVSDVisit : public Element {
  public:
    using Element::Element;
    std::int32_t Hosp() const { return readInteger("Hosp"); }
};

class TXMLVisitFor : public Element {
  public:
    using Element::Element;
    std::int32_t Consult() const { return readInteger("Consult"); }
    TXMLProfilact Profilact() const { return readElement<TXMLProfilact>("Profilact"); }
    std::int32_t Disp() const { return readInteger("Disp"); }
    TXMLVSDVisit VSDVisit() const { return readElement<TXMLVSDVisit>("VSDVisit"); }
    std::int32_t RpHosp() const { return readInteger("RpHosp"); }
    std::int32_t LKKVisit() const { return readInteger("LKKVisit"); }
    std::int32_t CountLKKMembers() const { return readInteger("CountLKKMembers"); }
    TXMLLKKMemberList LKKMember() const { return readList<TXMLLKKMember>("LKKMember"); }
    std::int32_t Telk() const { return readInteger("Telk"); }
};

}  // namespace kalvex::ereport::nrd2022
