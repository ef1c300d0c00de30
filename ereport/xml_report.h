#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "common/error.h"
#include "ereport/doctor_list.h"
#include "ereport/document.h"
#include "ereport/nrd2005.h"
#include "ereport/nrd2006.h"
#include "ereport/nrd2008.h"
#include "ereport/nrd2009.h"
#include "ereport/nrd2015.h"
#include "ereport/nrd2018.h"
#include "ereport/nrd2021.h"
#include "ereport/nrd2022.h"

namespace kalvex::ereport {

// The file parsed, but it is not an e-report of the chosen NRD version (or its
// doctors cannot be read). The caller shows the text once and drops its action.
class ReportFormatError : public Error {
  public:
    ReportFormatError()
        : Error(
              "Възникна грешка при четенето на XML файла. Проверете дали избраното НРД "
              "съвпада с формата на файла който сте избрали") {}
};

// The root and the doctor reference of one version, with the document they point into.
template <class PracticeT>
struct BoundReport {
    using Doctor = decltype(std::declval<const PracticeT&>().Doctor());

    std::shared_ptr<Document> document;
    PracticeT practice;
    Doctor doctor;
};

template <class Roots>
struct OptionalBindings;
template <class... Root>
struct OptionalBindings<std::tuple<Root...>> {
    using type = std::tuple<std::optional<BoundReport<Root>>...>;
};

// The e-report side of the data module: the loaded document and, per NRD version,
// the bound root and doctor reference, kept until the next load of that version.
class XmlReport {
  public:
    // The NRD versions by index, as the user picks them: 0 "2003" to 8 "2022".
    static constexpr std::array<std::string_view, 9> kVersionNames = {
        "2003", "2005", "2006", "2008", "2009", "2015", "2018", "2021", "2022"};
    static constexpr int kVersionCount = static_cast<int>(kVersionNames.size());
    // The index of the NRD version named `year` ("2022"), nothing for another text.
    static std::optional<int> versionIndex(std::string_view year) {
        for (int i = 0; i < kVersionCount; ++i)
            if (kVersionNames[static_cast<std::size_t>(i)] == year)
                return i;
        return std::nullopt;
    }
    // The name of NRD index `nrdIndex` ("2015").
    static std::string versionName(int nrdIndex) {
        return std::string(kVersionNames.at(static_cast<std::size_t>(nrdIndex)));
    }

    // Loads `fileName` and binds it for NRD `nrdIndex`. Returns the XML doctor list;
    // for index 0 the file is only parsed and the list is empty. A parse error throws
    // kalvex::Error with the parser's message; a file of another shape throws
    // ReportFormatError and leaves the version's earlier binding in place.
    // `betweenBlocks` runs while the file loads (see between_blocks.h).
    std::vector<XmlDoctorItem> XMLLoadFile(int nrdIndex, const std::string& fileName,
                                           const BetweenBlocks& betweenBlocks = {});

    // The root element of the file loaded last, whatever version it was bound for;
    // absent before the first load. Reading it through this view creates nothing.
    Element loadedRoot() const { return document_ ? document_->existingRoot() : Element(); }

    const nrd2005::TXMLPractice& Practice2005() const { return bound<1>().practice; }
    const nrd2005::TXMLDoctorList& Doctors2005() const { return bound<1>().doctor; }
    const nrd2006::TXMLPractice& Practice2006() const { return bound<2>().practice; }
    const nrd2006::TXMLDoctorList& Doctors2006() const { return bound<2>().doctor; }
    const nrd2008::TXMLPractice& Practice2008() const { return bound<3>().practice; }
    const nrd2008::TXMLDoctorList& Doctors2008() const { return bound<3>().doctor; }
    const nrd2009::TXMLPractice& Practice2009() const { return bound<4>().practice; }
    const nrd2009::TXMLDoctorList& Doctors2009() const { return bound<4>().doctor; }
    const nrd2015::TXMLPractice& Practice2015() const { return bound<5>().practice; }
    const nrd2015::TXMLDoctorList& Doctors2015() const { return bound<5>().doctor; }
    const nrd2018::TXMLPractice& Practice2018() const { return bound<6>().practice; }
    const nrd2018::TXMLDoctorList& Doctors2018() const { return bound<6>().doctor; }
    const nrd2021::TXMLPractice& Practice2021() const { return bound<7>().practice; }
    const nrd2021::TXMLDoctor& Doctor2021() const { return bound<7>().doctor; }
    const nrd2022::TXMLPractice& Practice2022() const { return bound<8>().practice; }
    const nrd2022::TXMLDoctor& Doctor2022() const { return bound<8>().doctor; }

    // The root class of each NRD index from 1 on; index 0 ("2003") has no model.
    using Roots = std::tuple<nrd2005::TXMLPractice, nrd2006::TXMLPractice, nrd2008::TXMLPractice,
                             nrd2009::TXMLPractice, nrd2015::TXMLPractice, nrd2018::TXMLPractice,
                             nrd2021::TXMLPractice, nrd2022::TXMLPractice>;
    template <std::size_t Index>
    using Bound = BoundReport<std::tuple_element_t<Index - 1, Roots>>;

    // The binding of NRD index `Index` with its document, which an import run keeps
    // alive for as long as it holds references into it.
    template <std::size_t Index>
    const Bound<Index>& bound() const {
        const auto& slot = std::get<Index - 1>(bindings_);
        if (!slot)
            throw Error("No e-report of this NRD version is loaded");
        return *slot;
    }

  private:
    template <std::size_t Index>
    std::vector<XmlDoctorItem> bind();
    template <std::size_t... Index>
    std::vector<XmlDoctorItem> bindVersion(int nrdIndex, std::index_sequence<Index...>);

    std::shared_ptr<Document> document_;
    typename OptionalBindings<Roots>::type bindings_;
};

}  // namespace kalvex::ereport
