// The end-of-run summary: which kinds the table shows, where a stop is told, and the
// JSON a script reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/run/import_summary.h"

namespace kalvex::engine {
namespace {

TEST(ImportSummary, TableShowsTheKindsWithCountsAndWhereTheRunStopped) {
    const struct Case {
        const char* label;
        std::function<void(ImportCounts&)> fill;
        std::optional<StopInfo> stop;
        std::vector<std::string> rows;  // the lines after the heading
    } cases[] = {
        {"nothing counted", [](ImportCounts&) {}, std::nullopt, {}},
        {"each column",
         [](ImportCounts& c) {
             c[RowKind::examination] = {3, 2, 0, 0, 0, 1};
             c[RowKind::immunisation].skippedUnknownCode = 4;
             c[RowKind::doctor].skippedNotFound = 5;
             c[RowKind::sickLeave].skippedLeftOut = 6;
         },
         std::nullopt,
         {"Лекари                                   0         0             0              5       "
          "    0          0",
          "Прегледи                                 3         2             0              0       "
          "    0          1",
          "Имунизации                               0         0             4              0       "
          "    0          0",
          "Болнични листове                         0         0             0              0       "
          "    6          0"}},
        {"a stop in a sheet",
         [](ImportCounts&) {},
         StopInfo{"a.xml", "000002", "Грешка"},
         {"Импортът спря при файл a.xml, амбулаторен лист № 000002: Грешка"}},
        {"a stop outside a sheet",
         [](ImportCounts&) {},
         StopInfo{"a.xml", "", "Грешка"},
         {"Импортът спря при файл a.xml: Грешка"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ImportCounts counts;
        c.fill(counts);
        std::vector<std::string> lines = summaryLines(counts, c.stop);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(),
                  "                                  Записани  В базата  Непознат код  Не са "
                  "открити  Пропуснати  Неуспешни");
        lines.erase(lines.begin());
        EXPECT_EQ(lines, c.rows);
    }
}

TEST(ImportSummary, JsonHasEveryKindAndTheStop) {
    ImportCounts counts;
    counts[RowKind::patient] = {3, 1, 0, 2, 0, 0};
    const std::string completed = summaryJson(counts, std::nullopt);
    EXPECT_EQ(completed.rfind("{\"doctors\": {\"written\": 0, \"existing\": 0, \"skipped\": "
                              "{\"unknown_code\": 0, \"not_found\": 0, \"left_out\": 0}, "
                              "\"failed\": 0}, \"patients\": {\"written\": 3, \"existing\": 1, "
                              "\"skipped\": {\"unknown_code\": 0, \"not_found\": 2, \"left_out\": "
                              "0}, \"failed\": 0}, \"examinations\": ",
                              0),
              0u)
        << completed;
    for (const char* key : {"medical_referrals", "diagnostic_referrals", "analyses",
                            "consultations", "commissions", "commission_members", "telk_referrals",
                            "hospitalisations", "immunisations", "prescriptions"})
        EXPECT_NE(completed.find("\"" + std::string(key) + "\": {"), std::string::npos) << key;
    EXPECT_NE(completed.find("\"sick_leaves\": {\"written\": 0, \"existing\": 0, \"skipped\": "
                             "{\"unknown_code\": 0, \"not_found\": 0, \"left_out\": 0}, "
                             "\"failed\": 0}, \"stopped\": null}"),
              std::string::npos)
        << completed;

    ImportCounts lost;
    lost[RowKind::examination].written = 18;
    lost[RowKind::patient].written = 5;
    const struct Case {
        StopInfo stop;
        std::string json;   // the "stopped" object
        std::string table;  // the table's last lines, joined by "|"
    } stops[] = {
        {{"C:\\отчети\\a.xml", "000002", "Ред \"1\"\nвтори\t\x01"},
         "\"stopped\": {\"file\": \"C:\\\\отчети\\\\a.xml\", \"sheet\": \"000002\", \"reason\": "
         "\"Ред \\\"1\\\"\\nвтори\\t\\u0001\", \"lost\": {}}}",
         "Импортът спря при файл C:\\отчети\\a.xml, амбулаторен лист № 000002: Ред \"1\"\nвтори\t\x01"},
        {{"a.xml", "000003", "Импортът е прекъснат.", true},
         "\"stopped\": {\"file\": \"a.xml\", \"sheet\": \"000003\", \"reason\": \"interrupted\", "
         "\"lost\": {}}}",
         "Импортът е прекъснат при файл a.xml, преди амбулаторен лист № 000003. Запазено е "
         "импортираното дотогава (колона „Записани“)."},
        {{"a.xml", "000003", "Импортът е прекъснат.", true, {}, true},
         "\"stopped\": {\"file\": \"a.xml\", \"sheet\": \"000003\", \"reason\": \"interrupted\", "
         "\"lost\": {}}}",
         "Импортът е прекъснат при файл a.xml, преди амбулаторен лист № 000003. Пробен импорт: "
         "нищо не е записано в базата."},
        {{"a.xml", "", "Дискът е пълен", false, lost},
         "\"stopped\": {\"file\": \"a.xml\", \"sheet\": \"\", \"reason\": \"Дискът е пълен\", "
         "\"lost\": {\"patients\": 5, \"examinations\": 18}}}",
         "Импортът спря при файл a.xml: Дискът е пълен|Не са запазени в базата, защото записът ѝ "
         "не успя: Пациенти 5, Прегледи 18."},
    };
    for (const Case& c : stops) {
        const std::string json = summaryJson(counts, c.stop);
        EXPECT_NE(json.find(c.json), std::string::npos) << json;
        const std::vector<std::string> lines = summaryLines(counts, c.stop);
        std::string last;
        for (auto line = lines.begin() + static_cast<long>(lines.size()) -
                         static_cast<long>(std::count(c.table.begin(), c.table.end(), '|') + 1);
             line != lines.end(); ++line)
            last += (last.empty() ? "" : "|") + *line;
        EXPECT_EQ(last, c.table);
    }
}

TEST(ImportSummary, NamesEachFileWithItsVersionBeforeTheStop) {
    const std::vector<ImportedFile> files = {{"a.xml", "2015"}, {"C:\\b \"1\".xml", "2022"}};
    const StopInfo stop{"C:\\b \"1\".xml", "", "Грешка"};
    std::vector<std::string> lines = summaryLines(ImportCounts{}, stop, files);
    lines.erase(lines.begin());
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Файл a.xml: НРД 2015", "Файл C:\\b \"1\".xml: НРД 2022",
                                        "Импортът спря при файл C:\\b \"1\".xml: Грешка"}));
    const std::string json = summaryJson(ImportCounts{}, std::nullopt, files);
    EXPECT_NE(json.find("\"stopped\": null, \"files\": [{\"file\": \"a.xml\", \"nrd\": \"2015\"}, "
                        "{\"file\": \"C:\\\\b \\\"1\\\".xml\", \"nrd\": \"2022\"}]}"),
              std::string::npos)
        << json;
    // Without files, the summary is as it always was.
    EXPECT_EQ(summaryJson(ImportCounts{}, std::nullopt).find("files"), std::string::npos);
}

}  // namespace
}  // namespace kalvex::engine
