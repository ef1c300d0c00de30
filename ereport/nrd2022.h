#pragma once

#include <cstdint>
#include <string>

#include "ereport/amb_list_elements.h"
#include "ereport/docs_elements.h"
#include "ereport/document.h"
#include "ereport/practice_elements.h"

// NRD 2022: the root, the reporting doctor and the ambulatory sheet. Its element types
// live in the family headers, beside the earlier versions they extend.
namespace kalvex::ereport::nrd2022 {

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

using TXMLDoctor = BasicDoctor<TXMLAmbList>;
using TXMLPractice = SinglePractice<TXMLDoctor>;

inline TXMLPractice GetPractice2022(Document& document) {
    return bindPractice<TXMLPractice>(document);
}

}  // namespace kalvex::ereport::nrd2022
