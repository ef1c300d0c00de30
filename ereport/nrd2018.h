#pragma once

#include <cstdint>
#include <string>

#include "ereport/nrd2009.h"

namespace kalvex::ereport::nrd2018 {

using nrd2009::TXMLLKK;
using nrd2009::TXMLProfilact;
using nrd2009::TXMLVisitFor;
using nrd2009::TXMLVSDVisit;
using nrd2022::TXMLApr;
using nrd2022::TXMLCOUNTRY;
using nrd2022::TXMLCpr;
using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLHList;
using nrd2022::TXMLHListList;
using nrd2022::TXMLHosp;
using nrd2022::TXMLHospNapr;
using nrd2022::TXMLLKKMember;
using nrd2022::TXMLLKKMemberList;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPatient;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLProcedure_;
using nrd2022::TXMLProcedure_List;
using nrd2022::TXMLReimbursible;
using nrd2022::TXMLReimbursibleList;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;
using nrd2022::TXMLTherapy;
using nrd2022::TXMLVaccine;

using TXMLSIMPConsult2018 = nrd2009::TXMLSIMPConsult;
using TXMLSIMPConsult2018List = ElementList<TXMLSIMPConsult2018>;
using TXMLRpDrug2018 = nrd2009::TXMLRpDrug;
using TXMLRpDrug2018List = ElementList<TXMLRpDrug2018>;
using TXMLRp2018 = nrd2022::BasicRp<TXMLRpDrug2018>;

// Also the one of NRD 2021 (as TXMLVSDSIMPConsult).
class TXMLVSDSIMPConsult2018 : public Element {
  public:
    using Element::Element;
    std::string KodSpVSD() const { return readText("kodSpVSD"); }
    std::int32_t VSDFor() const { return readInteger("VSDFor"); }
    std::string NoNVSD() const { return readText("NoNVSD"); }
    std::string KodVSD() const { return readText("kodVSD"); }
    std::string ACHIcode() const { return readText("ACHIcode"); }
    bool HospVSD() const { return readBoolean("HospVSD"); }
    TXMLMKBCodeType13List VSDMKB() const { return readTextList("VSDMKB"); }
};
using TXMLVSDSIMPConsult2018List = ElementList<TXMLVSDSIMPConsult2018>;

// Also the one of NRD 2021 (as TXMLMDD).
class TXMLMDD2018 : public Element {
  public:
    using Element::Element;
    std::string NoMDD() const { return readText("NoMDD"); }
    std::int32_t MDDFor() const { return readInteger("MDDFor"); }
    TXMLProcCodeTypeList KodMDD() const { return readTextList("kodMDD"); }
    std::string ACHIcode() const { return readText("ACHIcode"); }
    std::string MDDMKB() const { return readText("MDDMKB"); }
};
using TXMLMDD2018List = ElementList<TXMLMDD2018>;

class TXMLImun : public Element {
  public:
    using Element::Element;
    TXMLCodeType2List CodeImun() const { return readTextList("CodeImun"); }
    std::string Mantu() const { return readText("Mantu"); }
    TXMLVaccine Vaccine() const { return readElement<TXMLVaccine>("Vaccine"); }
};

using TXMLDocs = nrd2009::BasicDocsWithNote<TXMLSIMPConsult2018, TXMLVSDSIMPConsult2018,
                                            TXMLMDD2018, TXMLHospNapr, TXMLHList, TXMLRp2018>;
using TXMLAmbList =
    nrd2022::BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs>;
using TXMLAmbListList = ElementList<TXMLAmbList>;
using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;

// The root of NRD 2018: the fund and contract data of NRD 2022, any number of doctors.
template <class DoctorT>
class ListedPractice : public Element {
  public:
    using Element::Element;
    std::string PracticeCode() const { return readText("PracticeCode"); }
    std::string PracticeName() const { return readText("PracticeName"); }
    std::string NZOKCode() const { return readText("NZOKCode"); }
    std::string ContractNo() const { return readText("ContractNo"); }
    std::string ContractDate() const { return readText("ContractDate"); }
    std::string DateFrom() const { return readText("DateFrom"); }
    std::string DateTo() const { return readText("DateTo"); }
    bool ContrHA() const { return readBoolean("ContrHA"); }
    ElementList<DoctorT> Doctor() const { return readList<DoctorT>("Doctor"); }
};
using TXMLPractice = ListedPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2018(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2018
