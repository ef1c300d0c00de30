// Referrals to the medical expert commission for disability (TELK), every NRD version.
#include <stdexcept>
#include <string>

#include "common/characters.h"
#include "common/regions.h"
#include "db/database_error.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"

namespace kalvex::engine {
namespace {

const InsertStatement& telkInsert() {
    static const InsertStatement insert =
        buildInsert("BLANKA_NAPR_TELK",
                    {"PREGLED_ID", "PAC_FNAME", "PAC_SNAME", "PAC_LNAME", "PAC_EGN",
                     "PAC_PERM_OBLAST", "PAC_PERM_OBSHTINA", "PAC_PERM_NAS_MQSTO", "PAC_PERM_ULICA",
                     "PAC_CURR_OBLAST", "PAC_CURR_OBSHTINA", "PAC_CURR_NAS_MQSTO", "PAC_CURR_ULICA",
                     "ANAMN", "SYST", "IZSL", "MAIN_DIAG_MKB", "MAIN_DIAG_OPIS"});
    return insert;
}

void setAddressNames(ColumnValues& row, const std::string& region, const std::string& municipality,
                     const std::string& place) {
    for (const char* kind : {"PERM", "CURR"}) {
        const std::string prefix = std::string("PAC_") + kind;
        row.setText(prefix + "_OBLAST", region);
        row.setText(prefix + "_OBSHTINA", municipality);
        row.setText(prefix + "_NAS_MQSTO", place);
    }
}

// The referral form has a permanent and a current address; the e-report knows one
// region and municipality, so both get the same names, and the municipality's name
// stands for the place as well. Codes outside the table, or unreadable, still give a
// referral, with the address to be filled in by hand.
template <class Patient>
void setAddressNames(const Patient& patient, ColumnValues& row) {
    const auto unknown = [&] {
        setAddressNames(row, "Няма област", "Няма община", "Няма населено място");
    };
    try {
        const common::RegionIndex at =
            common::regionIndexFromCodes(patient.RZOK(), patient.ZdrRajon());
        const std::string municipality(common::municipalityName(at.region, at.municipality));
        setAddressNames(row, std::string(common::regionName(at.region)), municipality,
                        municipality);
    } catch (const std::out_of_range&) {
        unknown();
    } catch (const Error&) {
        unknown();
    }
}

// A sheet text the e-report does not hold as plain text leaves its column empty
// rather than the referral unwritten.
template <class Read>
std::string sheetText(Read read) {
    try {
        return common::leftCharacters(read(), 1000);
    } catch (const Error&) {
        return {};
    }
}

template <class V>
void writeReferral(RunContext<V>& run) {
    const auto& sheet = run.CurrentAmbList;
    const auto& patient = run.CurrentPatient;
    const auto name = patient.Name();
    ColumnValues row;
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.setText("PAC_FNAME", name.Given());
    row.setText("PAC_SNAME", name.Sur());
    row.setText("PAC_LNAME", name.Family());
    row.setText("PAC_EGN", patient.EGN());
    setAddressNames(patient, row);
    const std::string street = common::leftCharacters(patient.Address(), 40);
    row.setText("PAC_PERM_ULICA", street);
    row.setText("PAC_CURR_ULICA", street);
    row.setText("ANAMN", sheetText([&] { return sheet.Anamnesa(); }));
    row.setText("SYST", sheetText([&] { return sheet.HState(); }));
    row.setText("IZSL", sheetText([&] { return sheet.Examine(); }));
    const auto mainDiag = sheet.MainDiag();
    row.setText("MAIN_DIAG_MKB", mainDiag.MKB());
    row.setText("MAIN_DIAG_OPIS", mainDiag.ImeMD());
    insertAttachment(run, run.dm.qryNaprTelk, telkInsert(), row, " ", RowKind::telkReferral);
}

}  // namespace

template <class V>
void ImportNaprTELK(RunContext<V>& run) {
    if constexpr (V::year == 2022) {
        writeReferral(run);
    } else if constexpr (V::year >= 2006) {
        try {
            writeReferral(run);
        } catch (const Error& e) {
            // These versions never let a TELK referral stop the sheet: a referral the
            // e-report or the database cannot take is left out (the insert failed whole)
            // and the sheet goes on with its expert commission. A fault of the database
            // itself stops the run all the same.
            if (db::isDatabaseFault(e))
                throw;
        }
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportNaprTELK<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
