#include "engine/run/import_summary.h"

#include <iterator>
#include <string_view>

#include "common/characters.h"
#include "common/logger.h"
#include "engine/run/json_text.h"

namespace kalvex::engine {
namespace {

constexpr SummaryColumn kColumns[] = {
    {"Записани", &RowCounts::written},
    {"В базата", &RowCounts::existing},
    {"Непознат код", &RowCounts::skippedUnknownCode},
    {"Не са открити", &RowCounts::skippedNotFound},
    {"Пропуснати", &RowCounts::skippedLeftOut},
    {"Неуспешни", &RowCounts::failed},
};

constexpr SummaryKind kKinds[] = {
    {RowKind::doctor, "Лекари", "doctors"},
    {RowKind::patient, "Пациенти", "patients"},
    {RowKind::examination, "Прегледи", "examinations"},
    {RowKind::medicalReferral, "Медицински направления", "medical_referrals"},
    {RowKind::diagnosticReferral, "Медико-диагностични направления", "diagnostic_referrals"},
    {RowKind::analysis, "Изследвания", "analyses"},
    {RowKind::consultation, "Направления за ВСД", "consultations"},
    {RowKind::commission, "ЛКК", "commissions"},
    {RowKind::commissionMember, "Членове на ЛКК", "commission_members"},
    {RowKind::telkReferral, "Направления за ТЕЛК", "telk_referrals"},
    {RowKind::hospitalisation, "Хоспитализации", "hospitalisations"},
    {RowKind::immunisation, "Имунизации", "immunisations"},
    {RowKind::prescription, "Рецепти", "prescriptions"},
    {RowKind::sickLeave, "Болнични листове", "sick_leaves"},
};
static_assert(std::size(kKinds) == static_cast<std::size_t>(RowKind::kindCount));

constexpr std::size_t kCaptionWidth = 32;

// Padded by characters, not bytes: the captions are Cyrillic.
std::string padded(std::string_view text, std::size_t width, bool right) {
    const std::size_t length = common::characterCount(text);
    const std::string fill(length < width ? width - length : 0, ' ');
    return right ? fill + std::string(text) : std::string(text) + fill;
}

std::string row(std::string_view caption, const std::vector<std::string>& cells) {
    constexpr std::size_t widths[] = {10, 10, 14, 15, 12, 11};
    static_assert(std::size(widths) == std::size(kColumns));
    std::string line = padded(caption, kCaptionWidth, false);
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += padded(cells[i], widths[i], true);
    return line;
}

// "Прегледи 18, Пациенти 5": the kinds of which a failed commit lost rows.
std::string lostText(const ImportCounts& lost) {
    std::string text;
    for (const SummaryKind& kind : kKinds)
        if (const int n = lost[kind.kind].written; n > 0)
            text += (text.empty() ? "" : ", ") + std::string(kind.caption) + " " +
                    std::to_string(n);
    return text;
}

std::string lostJson(const ImportCounts& lost) {
    std::string json;
    for (const SummaryKind& kind : kKinds)
        if (const int n = lost[kind.kind].written; n > 0)
            json += (json.empty() ? "" : ", ") + jsonQuoted(kind.key) + ": " + std::to_string(n);
    return "{" + json + "}";
}

// The heading and one line per kind of row that has any count.
void countLines(const ImportCounts& counts, std::vector<std::string>& lines) {
    std::vector<std::string> heads;
    for (const SummaryColumn& column : kColumns)
        heads.emplace_back(column.head);
    lines.push_back(row("", heads));
    for (const SummaryKind& kind : kKinds) {
        const RowCounts& c = counts[kind.kind];
        if (!c.any())
            continue;
        std::vector<std::string> cells;
        for (const SummaryColumn& column : kColumns)
            cells.push_back(std::to_string(c.*column.count));
        lines.push_back(row(kind.caption, cells));
    }
}

// Every kind with its counts: "\"doctors\": {...}, ..., \"sick_leaves\": {...}".
std::string kindsJson(const ImportCounts& counts) {
    std::string json;
    for (const SummaryKind& kind : kKinds) {
        const RowCounts& c = counts[kind.kind];
        json += std::string(json.empty() ? "" : ", ") + jsonQuoted(kind.key) + ": {\"written\": " + std::to_string(c.written) +
                ", \"existing\": " + std::to_string(c.existing) +
                ", \"skipped\": {\"unknown_code\": " + std::to_string(c.skippedUnknownCode) +
                ", \"not_found\": " + std::to_string(c.skippedNotFound) +
                ", \"left_out\": " + std::to_string(c.skippedLeftOut) +
                "}, \"failed\": " + std::to_string(c.failed) + "}";
    }
    return json;
}

std::string doctorJson(const DoctorShare& doctor) {
    const std::string id =
        doctor.databaseDoctorId != 0 ? std::to_string(doctor.databaseDoctorId) : "null";
    return "{\"uin\": " + jsonQuoted(doctor.uin) + ", \"name\": " + jsonQuoted(doctor.name) +
           ", \"database_doctor_id\": " + id + ", " + kindsJson(doctor.counts) + "}";
}

}  // namespace

const char* const kTotalHeading = "Общо за всички лекари:";

std::span<const SummaryColumn> summaryColumns() {
    return kColumns;
}

std::span<const SummaryKind> summaryKinds() {
    return kKinds;
}

// "Лекар Мария Иванова Петрова, УИН 0400000001: в базата лекар с ID 3"
std::string doctorHeading(const DoctorShare& doctor) {
    const std::string who = "Лекар " + doctor.name + ", УИН " + doctor.uin + ": ";
    if (doctor.databaseDoctorId != 0)
        return who + "в базата лекар с ID " + std::to_string(doctor.databaseDoctorId);
    return who + "няма в базата, " +
           std::to_string(doctor.counts[RowKind::examination].skippedNotFound) +
           " амбулаторни листа не са импортирани";
}

std::string fileLine(const ImportedFile& file) {
    return "Файл " + file.file + ": НРД " + file.nrd;
}

std::vector<std::string> summaryLines(const ImportCounts& counts,
                                      const std::optional<StopInfo>& stop,
                                      const std::vector<ImportedFile>& files,
                                      const std::vector<DoctorShare>& doctors) {
    std::vector<std::string> lines;
    for (const DoctorShare& doctor : doctors) {
        lines.push_back(doctorHeading(doctor));
        countLines(doctor.counts, lines);
        lines.emplace_back();
    }
    if (!doctors.empty())
        lines.emplace_back(kTotalHeading);
    countLines(counts, lines);
    for (const ImportedFile& file : files)
        lines.push_back(fileLine(file));
    if (!stop)
        return lines;
    if (stop->interrupted) {
        std::string where = "Импортът е прекъснат при файл " + stop->file;
        if (!stop->sheet.empty())
            where += ", преди амбулаторен лист № " + stop->sheet;
        lines.push_back(where + (stop->dryRun ? ". Пробен импорт: нищо не е записано в базата."
                                              : ". Запазено е импортираното дотогава (колона "
                                                "„Записани“)."));
    } else {
        std::string where = "Импортът спря при файл " + stop->file;
        if (!stop->sheet.empty())
            where += ", амбулаторен лист № " + stop->sheet;
        lines.push_back(where + ": " + stop->reason);
    }
    if (const std::string lost = lostText(stop->lost); !lost.empty())
        lines.push_back("Не са запазени в базата, защото записът ѝ не успя: " + lost + ".");
    return lines;
}

void logSummary(const ImportCounts& counts, const std::optional<StopInfo>& stop,
                const std::vector<ImportedFile>& files, const std::vector<DoctorShare>& doctors) {
    if (common::AppLogger == nullptr)
        return;
    for (const std::string& line : summaryLines(counts, stop, files, doctors))
        common::AppLogger->LogEntry(common::oneLine(line));
}

std::string summaryJson(const ImportCounts& counts, const std::optional<StopInfo>& stop,
                        const std::vector<ImportedFile>& files,
                        const std::vector<DoctorShare>& doctors) {
    std::string json = "{" + kindsJson(counts) + ", \"stopped\": ";
    if (stop)
        json += "{\"file\": " + jsonQuoted(stop->file) + ", \"sheet\": " + jsonQuoted(stop->sheet) +
                ", \"reason\": " + jsonQuoted(stop->interrupted ? "interrupted" : stop->reason) +
                ", \"lost\": " + lostJson(stop->lost) + "}";
    else
        json += "null";
    if (!files.empty()) {
        json += ", \"files\": [";
        for (std::size_t i = 0; i < files.size(); ++i)
            json += std::string(i == 0 ? "" : ", ") + "{\"file\": " + jsonQuoted(files[i].file) +
                    ", \"nrd\": " + jsonQuoted(files[i].nrd) + "}";
        json += "]";
    }
    if (!doctors.empty()) {
        json += ", \"by_doctor\": [";
        for (std::size_t i = 0; i < doctors.size(); ++i)
            json += std::string(i == 0 ? "" : ", ") + doctorJson(doctors[i]);
        json += "]";
    }
    return json + "}";
}

}  // namespace kalvex::engine
