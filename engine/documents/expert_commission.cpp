// Expert commission (LKK) examinations and their members, every NRD version.
#include <cstdint>
#include <string>
#include <vector>

#include "common/characters.h"
#include "common/conversions.h"
#include "engine/statements/attachment_insert.h"
#include "engine/documents/attachments.h"
#include "engine/run/nrd_versions.h"
#include "engine/sheet/sheet_number.h"
#include "ereport/node_helpers.h"

namespace kalvex::engine {
namespace {

// A duplicate commission or member is only marked in the log, without a text of its own.
const std::string kDuplicateLine = " ";
// NRD 2022 names what the older versions left unsaid: a commission that was there
// already keeps its members, none are written under a key no commission holds.
const std::string kMembersNotWritten = "; членовете на комисията не са записани";

template <class V>
const InsertStatement& commissionInsert() {
    static const InsertStatement insert = [] {
        if constexpr (V::year == 2005)
            return buildInsert("EXAM_LKK", {"NUMBER", "DATA", "PREGLED_ID", "LKK_TYPE_ID"});
        else if constexpr (V::year < 2022)
            return buildInsert("EXAM_LKK", {"ID", "NUMBER", "DATA", "PREGLED_ID", "LKK_TYPE_ID",
                                            "ICD_CODE", "ICD_CODE_OPIS"});
        else
            return buildInsert("EXAM_LKK", {"ID", "NUMBER", "DATA", "PREGLED_ID", "LKK_TYPE_ID",
                                            "ICD_CODE", "ICD_CODE_OPIS", "NRN", "NZIS_STATUS"});
    }();
    return insert;
}

const InsertStatement& memberInsert() {
    static const InsertStatement insert =
        buildInsert("EXAM_LKK_DOCTOR", {"EXAM_LKK_ID", "SPECIALITY_ID"});
    return insert;
}

// The commission's type: from NRD 2008 on, codes above 60 stand for the same types 1, 2, ...
template <class V>
std::int32_t commissionType(std::int32_t typeLkk) {
    if constexpr (V::year >= 2008)
        return typeLkk > 60 ? typeLkk - 60 : typeLkk;
    return typeLkk;
}

// The key the commission row is written under, drawn before the insert so that the
// members can point at it: null when the generator gives none.
common::Variant newCommissionId(RunState& run) {
    const common::Variant id =
        run.dm.SqlToValue("SELECT CAST(GEN_ID(GEN_EXAM_LKK_ID, 1) AS INTEGER) FROM RDB$DATABASE");
    if (const auto* n = std::get_if<std::int64_t>(&id); n != nullptr && *n <= 0)
        return common::Null;
    return id;
}

template <class V>
void writeMembers(RunContext<V>& run, const ereport::TXMLCodeType2List& codes,
                  const common::Variant& commissionId) {
    for (int i = 0; i < codes.GetCount(); ++i) {
        // A member whose speciality the database does not know is left out unseen.
        const std::int32_t speciality = specialityIdByCode(run, codes.get_item(i), true);
        if (speciality <= 0)
            continue;
        ColumnValues member;
        member.set("EXAM_LKK_ID", commissionId);
        member.setInt("SPECIALITY_ID", speciality);
        insertAttachment(run, run.dm.qryExamLKKDoctor, memberInsert(), member, kDuplicateLine,
                         RowKind::commissionMember);
    }
}

}  // namespace

template <class V>
void ImportLKK(RunContext<V>& run) {
    const auto& sheet = run.CurrentAmbList;
    const auto lkk = sheet.Docs().LKK();
    std::string number;
    if constexpr (V::year == 2022) {
        number = ereport::ReadValue(lkk, "NoLKK");
    } else {
        // These versions write a commission only when its number reads as an integer:
        // a missing or empty one, or no number at all, gives the node reader's -1.
        if (ereport::ReadValueInt(lkk, "NoLKK", -1) == -1)
            return;
        number = lkk.NoLKK();
    }

    ColumnValues row;
    row.setText("NUMBER", number);
    row.set("DATA", common::DateFromSQL(sheet.DataAl()));
    row.setInt("PREGLED_ID", run.CurrentPregledID);
    row.setInt("LKK_TYPE_ID", commissionType<V>(lkk.TypeLKK()));
    if constexpr (V::year == 2005) {
        insertAttachment(run, run.dm.qryExam_LKK, commissionInsert<V>(), row, kDuplicateLine,
                         RowKind::commission);
    } else {
        const common::Variant id = newCommissionId(run);
        row.set("ID", id);
        const auto mainDiag = sheet.MainDiag();
        row.setText("ICD_CODE", mainDiag.MKB());
        // The column holds 400 characters; a longer main diagnosis is cut, in every version.
        row.setText("ICD_CODE_OPIS", common::leftCharacters(mainDiag.ImeMD(), 400));
        if constexpr (V::year == 2022) {
            const bool nrn = isNrn(number);
            // A national number is not the practice's: the commission goes by its own key.
            if (const auto* key = std::get_if<std::int64_t>(&id); nrn && key != nullptr)
                row.setText("NUMBER", std::to_string(*key));
            row.setText("NRN", nrn ? number : ereport::ReadValue(lkk, "NRN"));
            row.setInt("NZIS_STATUS", nrn ? 3 : ereport::ReadValueInt(lkk, "NzisStatus", 0));
        }
        const auto codes = lkk.CodeSpec();
        std::string duplicateLine = kDuplicateLine;
        if (V::year == 2022 && codes.GetCount() > 0)
            duplicateLine += kMembersNotWritten;
        if (!insertAttachment(run, run.dm.qryExam_LKK, commissionInsert<V>(), row, duplicateLine,
                              RowKind::commission)) {
            // The key belongs to a commission written before: members written now would
            // be counted as its own.
            run.counts[RowKind::commissionMember].skippedLeftOut += codes.GetCount();
            return;
        }
        writeMembers(run, codes, id);
    }
}

#define KALVEX_INSTANTIATE(V) template void ImportLKK<V>(RunContext<V>&);
KALVEX_FOR_EACH_NRD(KALVEX_INSTANTIATE)
#undef KALVEX_INSTANTIATE

}  // namespace kalvex::engine
