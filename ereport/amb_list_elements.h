#pragma once

#include <string>

#include "ereport/element.h"
#include "ereport/examination_elements.h"
#include "ereport/patient_elements.h"
#include "ereport/visit_elements.h"

// The ambulatory sheet ("AmbList") as shapes filled with each NRD version's own types.
// "Therapy" was text until NRD 2008 and is an element from NRD 2009 on, so the two sheet
// shapes share the part without it.
namespace kalvex::ereport {

// What the sheet of every version holds, less the therapy and the payment flags.
template <class PatientT, class ProcedureT, class VisitForT, class ImunT, class DocsT>
class SheetFields : public Element {
  public:
    using Element::Element;
    std::string NoAl() const { return readText("NoAl"); }
    std::string DataAl() const { return readText("dataAl"); }
    std::string Time() const { return readText("time"); }
    nrd2022::TXMLHired_Subst Hired_Subst() const {
        return readElement<nrd2022::TXMLHired_Subst>("Hired_Subst");
    }
    PatientT Patient() const { return readElement<PatientT>("Patient"); }
    bool Disadv() const { return readBoolean("Disadv"); }
    nrd2022::TXMLMainDiag MainDiag() const {
        return readElement<nrd2022::TXMLMainDiag>("MainDiag");
    }
    nrd2022::TXMLDiagList Diag() const { return readList<nrd2022::TXMLDiag>("Diag"); }
    ElementList<ProcedureT> Procedure_() const { return readList<ProcedureT>("Procedure"); }
    std::string Anamnesa() const { return readText("Anamnesa"); }
    std::string HState() const { return readText("HState"); }
    std::string Examine() const { return readText("Examine"); }
    nrd2022::TXMLSIMPList SIMPList() const {
        return readElement<nrd2022::TXMLSIMPList>("SIMPList");
    }
    VisitForT VisitFor() const { return readElement<VisitForT>("VisitFor"); }
    std::string ExamType() const { return readText("ExamType"); }
    ImunT Imun() const { return readElement<ImunT>("Imun"); }
    DocsT Docs() const { return readElement<DocsT>("Docs"); }
    bool Sign() const { return readBoolean("Sign"); }
};

}  // namespace kalvex::ereport

namespace kalvex::ereport::nrd2005 {

// Ambulatory sheet of NRD 2005 to 2008: no payment flags or national numbers yet, and
// the therapy is plain text.
template <class PatientT, class VisitForT, class DocsT>
class EarlyAmbList : public SheetFields<PatientT, TXMLProcedure_, VisitForT, TXMLImun, DocsT> {
    using Fields = SheetFields<PatientT, TXMLProcedure_, VisitForT, TXMLImun, DocsT>;

  public:
    using Fields::Fields;
    std::string Therapy() const { return this->readText("Therapy"); }
};

}  // namespace kalvex::ereport::nrd2005

namespace kalvex::ereport::nrd2022 {

// Ambulatory sheet of NRD 2009 to 2021: the NRD 2022 sheet without its last five elements.
template <class PatientT, class ProcedureT, class VisitForT, class ImunT, class DocsT>
class BasicAmbList : public SheetFields<PatientT, ProcedureT, VisitForT, ImunT, DocsT> {
    using Fields = SheetFields<PatientT, ProcedureT, VisitForT, ImunT, DocsT>;

  public:
    using Fields::Fields;
    bool Pay() const { return this->readBoolean("Pay"); }
    bool Incidentally() const { return this->readBoolean("Incidentally"); }
    TXMLTherapy Therapy() const { return this->template readElement<TXMLTherapy>("Therapy"); }
};

}  // namespace kalvex::ereport::nrd2022
