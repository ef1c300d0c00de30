#pragma once

#include <string>

#include "ereport/nrd2005_parts.h"

// NRD 2005: the root with its list of doctors and the sheet.
namespace kalvex::ereport::nrd2005 {

using nrd2022::TXMLDiag;
using nrd2022::TXMLDiagList;
using nrd2022::TXMLHired_Subst;
using nrd2022::TXMLLNCH;
using nrd2022::TXMLMainDiag;
using nrd2022::TXMLName;
using nrd2022::TXMLPrimaryVisit;
using nrd2022::TXMLSecondaryVisit;
using nrd2022::TXMLSendedFrom;
using nrd2022::TXMLSIMPList;

// Ambulatory sheet of NRD 2005 to 2008: no payment flags or national numbers yet, and
// the therapy is plain text.
template <class PatientT, class VisitForT, class DocsT>
class EarlyAmbList : public Element {
  public:
    using Element::Element;
    std::string NoAl() const { return readText("NoAl"); }
    std::string DataAl() const { return readText("dataAl"); }
    std::string Time() const { return readText("time"); }
    TXMLHired_Subst Hired_Subst() const { return readElement<TXMLHired_Subst>("Hired_Subst"); }
    PatientT Patient() const { return readElement<PatientT>("Patient"); }
    bool Disadv() const { return readBoolean("Disadv"); }
    TXMLMainDiag MainDiag() const { return readElement<TXMLMainDiag>("MainDiag"); }
    TXMLDiagList Diag() const { return readList<TXMLDiag>("Diag"); }
    TXMLProcedure_List Procedure_() const { return readList<TXMLProcedure_>("Procedure"); }
    std::string Anamnesa() const { return readText("Anamnesa"); }
    std::string HState() const { return readText("HState"); }
    std::string Examine() const { return readText("Examine"); }
    std::string Therapy() const { return readText("Therapy"); }
    TXMLSIMPList SIMPList() const { return readElement<TXMLSIMPList>("SIMPList"); }
    VisitForT VisitFor() const { return readElement<VisitForT>("VisitFor"); }
    std::string ExamType() const { return readText("ExamType"); }
    TXMLImun Imun() const { return readElement<TXMLImun>("Imun"); }
    DocsT Docs() const { return readElement<DocsT>("Docs"); }
    bool Sign() const { return readBoolean("Sign"); }
};

// The 2005 sheet alone also says whether the examination was a home visit.
class TXMLAmbList : public EarlyAmbList<TXMLPatient, TXMLVisitFor, TXMLDocs> {
  public:
    using EarlyAmbList::EarlyAmbList;
    bool Portable() const { return readBoolean("Portable"); }
};
using TXMLAmbListList = ElementList<TXMLAmbList>;

using TXMLDoctor = nrd2022::BasicDoctor<TXMLAmbList>;
using TXMLDoctorList = ElementList<TXMLDoctor>;

// The root of NRD 2005 to 2015: no fund or contract data, any number of doctors.
template <class DoctorT>
class EarlyPractice : public Element {
  public:
    using Element::Element;
    std::string PracticeCode() const { return readText("PracticeCode"); }
    std::string PracticeName() const { return readText("PracticeName"); }
    std::string DateFrom() const { return readText("DateFrom"); }
    std::string DateTo() const { return readText("DateTo"); }
    bool ContrHA() const { return readBoolean("ContrHA"); }
    ElementList<DoctorT> Doctor() const { return readList<DoctorT>("Doctor"); }
};
using TXMLPractice = EarlyPractice<TXMLDoctor>;

inline TXMLPractice GetPractice2005(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2005
