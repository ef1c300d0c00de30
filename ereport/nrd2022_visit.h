#pragma once

#include <cstdint>
#include <string>

#include "ereport/element.h"

// NRD 2022: diagnoses, procedures, therapy, the reason of the visit and immunisations.
namespace kalvex::ereport::nrd2022 {

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

class TXMLProcedure_ : public Element {
  public:
    using Element::Element;
    std::string ImeP() const { return readText("imeP"); }
    std::string KodP() const { return readText("kodP"); }
    std::string ACHIcode() const { return readText("ACHIcode"); }
    std::int32_t CountP() const { return readInteger("CountP"); }
};
using TXMLProcedure_List = ElementList<TXMLProcedure_>;

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

class TXMLLKKMember : public Element {
  public:
    using Element::Element;
    std::string UIN() const { return readText("UIN"); }
    std::string SIMPCode() const { return readText("SIMPCode"); }
};
using TXMLLKKMemberList = ElementList<TXMLLKKMember>;

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

class TXMLVaccine : public Element {
  public:
    using Element::Element;
    std::string VaccineNo() const { return readText("VaccineNo"); }
    std::string VaccineType() const { return readText("VaccineType"); }
};

class TXMLImun : public Element {
  public:
    using Element::Element;
    std::string NoImun() const { return readText("NoImun"); }
    TXMLCodeType2List CodeImun() const { return readTextList("CodeImun"); }
    std::string Mantu() const { return readText("Mantu"); }
    TXMLVaccine Vaccine() const { return readElement<TXMLVaccine>("Vaccine"); }
};

}  // namespace kalvex::ereport::nrd2022
