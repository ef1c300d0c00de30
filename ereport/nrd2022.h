#pragma once

#include <cstdint>
#include <string>

#include "ereport/document.h"
#include "ereport/element.h"
#include "ereport/nrd2022_docs.h"
#include "ereport/nrd2022_patient.h"
#include "ereport/nrd2022_visit.h"

// NRD 2022: the root, the reporting doctor and the ambulatory sheet. The templates
// are the shapes that earlier versions share with it, filled with their own types.
namespace kalvex::ereport::nrd2022 {

// Ambulatory sheet of NRD 2009 to 2021: the NRD 2022 sheet without its last five elements.
template <class PatientT, class ProcedureT, class VisitForT, class ImunT, class DocsT>
class BasicAmbList : public Element {
  public:
    using Element::Element;
    std::string NoAl() const { return readText("NoAl"); }
    std::string DataAl() const { return readText("dataAl"); }
    std::string Time() const { return readText("time"); }
    bool Pay() const { return readBoolean("Pay"); }
    TXMLHired_Subst Hired_Subst() const { return readElement<TXMLHired_Subst>("Hired_Subst"); }
    PatientT Patient() const { return readElement<PatientT>("Patient"); }
    bool Disadv() const { return readBoolean("Disadv"); }
    bool Incidentally() const { return readBoolean("Incidentally"); }
    TXMLMainDiag MainDiag() const { return readElement<TXMLMainDiag>("MainDiag"); }
    TXMLDiagList Diag() const { return readList<TXMLDiag>("Diag"); }
    ElementList<ProcedureT> Procedure_() const { return readList<ProcedureT>("Procedure"); }
    std::string Anamnesa() const { return readText("Anamnesa"); }
    std::string HState() const { return readText("HState"); }
    std::string Examine() const { return readText("Examine"); }
    TXMLTherapy Therapy() const { return readElement<TXMLTherapy>("Therapy"); }
    TXMLSIMPList SIMPList() const { return readElement<TXMLSIMPList>("SIMPList"); }
    VisitForT VisitFor() const { return readElement<VisitForT>("VisitFor"); }
    std::string ExamType() const { return readText("ExamType"); }
    ImunT Imun() const { return readElement<ImunT>("Imun"); }
    DocsT Docs() const { return readElement<DocsT>("Docs"); }
    bool Sign() const { return readBoolean("Sign"); }
};

class TXMLAmbList
    : public BasicAmbList<TXMLPatient, TXMLProcedure_, TXMLVisitFor, TXMLImun, TXMLDocs> {
  public:
    using BasicAmbList::BasicAmbList;
    std::string PatientofNeotl() const { return readStrictText("PatientofNeotl"); }
    std::int32_t PatientofNeotlID() const { return readInteger("PatientofNeotlID"); }
    std::string NRN() const { return readStrictText("NRN"); }
    std::string NzisStatus() const { return readStrictText("NzisStatus"); }
    std::string CopiedFromNRN() const { return readStrictText("CopiedFromNRN"); }
};
using TXMLAmbListList = ElementList<TXMLAmbList>;

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
using TXMLDoctor = BasicDoctor<TXMLAmbList>;

// The root of NRD 2021 and 2022, with its one reporting doctor.
template <class DoctorT>
class SinglePractice : public Element {
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
    DoctorT Doctor() const { return readElement<DoctorT>("Doctor"); }
};
using TXMLPractice = SinglePractice<TXMLDoctor>;

inline TXMLPractice GetPractice2022(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2022
