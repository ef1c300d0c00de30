// Immunisations given on a sheet, every NRD version.
#include <cstdint>
#include <optional>
#include <string>

#include "common/conversions.h"
#include "common/date_time.h"
#include "common/formats.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// The vaccination procedure: a sheet whose first procedure is this one gave vaccines.
constexpr const char* kVaccinationProcedure = "92192-00";

// Every version's row: the immunisation alone, no series or register number. The
// tuberculin test of every version is written so too.
const InsertStatement& plainInsert() {
    static const InsertStatement insert = buildInsert(
        "EXAM_IMMUNIZATION", {"PREGLED_ID", "IMMUNIZATION_ID", "DATA", "DOSE", "SERIES", "RESULT"});
    return insert;
}

// NRD 2021 and 2022: with the vaccine's series and the national register number, and on
// a vaccination sheet the vaccination mark.
const InsertStatement& registeredInsert(bool vaccination) {
    static const InsertStatement plain = buildInsert("EXAM_IMMUNIZATION", {"PREGLED_ID",
                                                                           "IMMUNIZATION_ID",
                                                                           "DATA",
                                                                           "DOSE",
                                                                           {"SERIES", "VACCINENO"},
                                                                           "RESULT",
                                                                           "NRN_IMMUNIZATION"});
    static const InsertStatement marked = buildInsert("EXAM_IMMUNIZATION", {"PREGLED_ID",
                                                                            "IMMUNIZATION_ID",
                                                                            "DATA",
                                                                            "DOSE",
                                                                            {"SERIES", "VACCINENO"},
                                                                            "RESULT",
                                                                            "NRN_IMMUNIZATION",
                                                                            "VACCINE_ID"});
    return vaccination ? marked : plain;
}

// The catalogue entry in force for `code`. The e-report gives the code as a number, so
// "012" is entry "12"; a code that finds none (an empty one too) is logged and skipped.
std::optional<std::int32_t> catalogueId(RunState& run, const std::string& code) {
    std::int32_t id = 0;
    if (!code.empty() && run.catalogues.ReadSqlValue("SELECT FIRST(1) i.ID FROM IMMUNIZATION i WHERE " +
                                                 sameNumber("i.CODE", "CODE") +
                                                 " AND i.EFFECTIVE = 'Y' ORDER BY i.ID",
                                             id, {{"CODE", code}}))
        return id;
    run.log("Не съществува ефективна имунизация с код = " + code);
    ++run.counts[RowKind::immunisation].skippedUnknownCode;
    return std::nullopt;
}

// Writes the row and asks for the sheet to be made durable once it is whole: an
// immunisation written or found already there is committed with its sheet.
template <class V>
void writeRow(RunContext<V>& run, const InsertStatement& insert, ColumnValues& row) {
    const std::string date = run.CurrentAmbList.DataAl();
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.set("DATA", common::DateFromSQL(date));
    row.setText("RESULT", "Импортиран чрез Kalvex на " + common::DateTimeToStr(common::now()));
    insertAttachment(run, run.dm.qryImmunization, insert, row,
                     "Тази имунизация вече съществува в базата, АЛ = " + date,
                     RowKind::immunisation);
    run.commitAfterSheet = true;
}

template <class V>
void ImportSingleImmunization(RunContext<V>& run, const std::string& code) {
    const auto id = catalogueId(run, code);
    if (!id)
        return;
    ColumnValues row;
    row.setInt("IMMUNIZATION_ID", *id);
    writeRow(run, plainInsert(), row);
}

// NRD 2021 and 2022. An empty code is the register number alone: catalogue entry 0.
template <class V>
void importRegisteredImmunization(RunContext<V>& run, const std::string& code,
                                  const std::string& vaccineNo) {
    std::int32_t id = 0;
    if (!code.empty()) {
        const auto found = catalogueId(run, code);
        if (!found)
            return;
        id = *found;
    }
    const auto& sheet = run.CurrentAmbList;
    const bool vaccination = ereport::NodeExsist(sheet, "Procedure") &&
                             sheet.Procedure_().get_item(0).ACHIcode() == kVaccinationProcedure;
    ColumnValues row;
    row.setText("VACCINENO", vaccineNo);
    row.setInt("IMMUNIZATION_ID", id);
    row.setText("NRN_IMMUNIZATION", sheet.Imun().NoImun());
    if (vaccination)
        row.setInt("VACCINE_ID", 1);
    writeRow(run, registeredInsert(vaccination), row);
}

}  // namespace

template <class V>
void ImportImmunizations(RunContext<V>& run) {
    const auto imun = run.CurrentAmbList.Imun();
    if constexpr (V::year >= 2021) {
        if (!ereport::NodeExsist(imun, "CodeImun")) {
            if (!imun.NoImun().empty())
                importRegisteredImmunization(run, "", "");
            return;
        }
    }
    const auto codes = imun.CodeImun();
    for (int i = 0; i < codes.GetCount(); ++i) {
        if constexpr (V::year >= 2021) {
            const std::string vaccineNo =
                ereport::NodeExsist(imun, "Vaccine") ? imun.Vaccine().VaccineNo() : "";
            importRegisteredImmunization(run, codes.get_item(i), vaccineNo);
        } else {
            ImportSingleImmunization(run, codes.get_item(i));
        }
    }
    if (ereport::NodeExsist(imun, "Mantu"))
        ImportSingleImmunization(run, imun.Mantu());
}

#define KALVEX_INSTANTIATE(V) template void ImportImmunizations<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
