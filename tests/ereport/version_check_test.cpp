// The version check: which NRD version an e-report's dates name, whether a version's
// model reads the values the import reads, and what the user is told.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ereport/node_helpers.h"
#include "ereport/version_check.h"
#include "ereport/version_fit_text.h"
#include "ereport/xml_report.h"
#include "report_files.h"
#include "support/report_builder.h"
#include "support/sample_files.h"

namespace kalvex::ereport {
namespace {

int indexOf(int year) {
    return *XmlReport::versionIndex(std::to_string(year));
}

// An e-report of one doctor with a sheet per date, each with `extra` in it.
std::string datedReport(const std::vector<std::string>& dates, const std::string& extra = "") {
    testing::ReportInput report;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        testing::SheetInput sheet;
        sheet.noAl = "00041" + std::to_string(i + 2);
        sheet.dataAl = dates[i];
        sheet.extra = extra;
        report.doctors[0].sheets.push_back(sheet);
    }
    return testing::reportXml(report);
}

class VersionCheck : public ::testing::Test {
  protected:
    VersionFit check(const std::string& xml, int chosenYear) {
        return checkFileVersion(files_.write(xml),
                                chosenYear < 0 ? kNoVersionChosen : indexOf(chosenYear));
    }

    testing::ReportFiles files_;
};

TEST(VersionCheckSamples, EachFitsItsOwnVersionAndNamesItUnderEveryOther) {
    for (const testing::SampleFile& sample : testing::kSampleFiles) {
        const int own = indexOf(sample.year);
        for (int chosen = 0; chosen < XmlReport::kVersionCount; ++chosen) {
            SCOPED_TRACE(std::string(sample.file) + " as NRD index " + std::to_string(chosen));
            const VersionFit fit = checkFileVersion(testing::samplePath(sample.file), chosen);
            EXPECT_EQ(fit.inForce, std::vector<int>{own});
            EXPECT_EQ(fit.clear, own);
            EXPECT_EQ(fit.fits(), chosen == own);
            if (chosen == own)
                continue;
            const std::string text = misfitText(fit);
            EXPECT_EQ(text.rfind("Избрано е НРД " + std::string(XmlReport::kVersionNames[chosen]) +
                                     ", а прегледите във файла са от ",
                                 0),
                      0u)
                << text;
            EXPECT_NE(text.find("(НРД " + std::to_string(sample.year) + ")."), std::string::npos)
                << text;
        }
    }
}

TEST(VersionCheckSamples, TellTheMonthsOfTheirSheets) {
    const VersionFit fit = checkFileVersion(testing::samplePath("nrd2015.xml"), indexOf(2022));
    EXPECT_EQ(misfitText(fit),
              "Избрано е НРД 2022, а прегледите във файла са от 03.2015 (НРД 2015).");
}

TEST_F(VersionCheck, TheVersionInForceOnEverySheetsDateDecides) {
    const struct Case {
        const char* label;
        std::vector<std::string> dates;
        int chosen;
        std::vector<int> inForce;  // years; -1 before the first contract
        std::optional<int> clear;  // a year
        std::string text;          // what the user reads, when it does not fit
    } cases[] = {
        {"the last day of NRD 2009", {"2014-12-31"}, 2009, {2009}, 2009, ""},
        {"the first day of NRD 2015",
         {"2015-01-01"},
         2009,
         {2015},
         2015,
         "Избрано е НРД 2009, а прегледите във файла са от 01.2015 (НРД 2015)."},
        {"the last day of NRD 2003", {"2004-12-31"}, 2003, {2003}, std::nullopt, ""},
        {"NRD 2003 imports nothing",
         {"2004-12-31"},
         2005,
         {2003},
         std::nullopt,
         "Избрано е НРД 2005, а прегледите във файла са от 12.2004 (НРД 2003). С НРД 2003 не "
         "се импортира нищо."},
        {"the first day of NRD 2005", {"2005-01-01"}, 2005, {2005}, 2005, ""},
        {"before every contract",
         {"2002-12-31"},
         2003,
         {-1},
         std::nullopt,
         "Избрано е НРД 2003, а прегледите във файла са от 12.2002 (преди НРД 2003)."},
        {"the last day of NRD 2021",
         {"2021-12-31"},
         2022,
         {2021},
         2021,
         "Избрано е НРД 2022, а прегледите във файла са от 12.2021 (НРД 2021)."},
        {"NRD 2022 has no end", {"2031-02-03"}, 2022, {2022}, 2022, ""},
        {"sheets of two months",
         {"2015-03-07", "2015-05-02"},
         2022,
         {2015},
         2015,
         "Избрано е НРД 2022, а прегледите във файла са от 03.2015 до 05.2015 (НРД 2015)."},
        {"the second sheet of another period",
         {"2015-01-10", "2014-12-20"},
         2015,
         {2009, 2015},
         std::nullopt,
         "Избрано е НРД 2015, а прегледите във файла са от 12.2014 до 01.2015 (НРД 2009 и НРД "
         "2015). Файлът съдържа прегледи от периодите на различни НРД."},
        {"three periods",
         {"2021-06-01", "2009-01-01", "2023-01-01"},
         2021,
         {2009, 2021, 2022},
         std::nullopt,
         "Избрано е НРД 2021, а прегледите във файла са от 01.2009 до 01.2023 (НРД 2009 и НРД "
         "2021 и НРД 2022). Файлът съдържа прегледи от периодите на различни НРД."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const VersionFit fit = check(datedReport(c.dates), c.chosen);
        std::vector<int> inForce;
        for (const int year : c.inForce)
            inForce.push_back(year < 0 ? -1 : indexOf(year));
        EXPECT_EQ(fit.inForce, inForce);
        EXPECT_EQ(fit.clear, c.clear ? std::optional<int>(indexOf(*c.clear)) : std::nullopt);
        EXPECT_EQ(fit.fits(), c.text.empty());
        if (!c.text.empty()) {
            EXPECT_EQ(misfitText(fit), c.text);
        }
    }
}

TEST_F(VersionCheck, AReportWithoutSheetsIsDatedByItsPeriod) {
    testing::ReportInput report;
    report.dateFrom = "2018-06-01";
    report.dateTo = "2018-06-30";
    const VersionFit dated = check(testing::reportXml(report), 2022);
    EXPECT_EQ(dated.inForce, std::vector<int>{indexOf(2018)});
    EXPECT_EQ(dated.clear, indexOf(2018));

    report.dateFrom = report.dateTo = "";
    for (const int year : {2003, 2009, 2022}) {
        const VersionFit undated = check(testing::reportXml(report), year);
        EXPECT_TRUE(undated.fits()) << year;
        EXPECT_FALSE(undated.clear) << year;
        EXPECT_EQ(noClearVersionText(undated),
                  "Във файла няма прегледи с дата, по която да се определи НРД.");
    }
}

TEST_F(VersionCheck, AValueTheModelCannotReadKeepsTheFileFromFitting) {
    const std::string fine = "<VisitFor><Consult>1</Consult></VisitFor>";
    const struct Case {
        const char* label;
        std::string date;
        std::string extra;  // more of the sheet
        std::string flags;  // the sheet's flags, when not the usual ones
        int chosen;
        std::optional<UnreadValue> unread;  // of the chosen version
    } cases[] = {
        {"a number read as a flag", "2021-10-07", "<VisitFor><Consult>2</Consult></VisitFor>", "",
         2021, std::nullopt},
        {"a word read as a number", "2023-04-07", "<VisitFor><Consult>true</Consult></VisitFor>",
         "", 2022,
         UnreadValue{"000412", "VisitFor/Consult", "true",
                     "Could not convert variant of type (String) into type (Integer)"}},
        {"the same word read as a flag", "2021-10-07",
         "<VisitFor><Consult>true</Consult></VisitFor>", "", 2021, std::nullopt},
        {"an empty value that is not needed", "2023-04-07", "<VisitFor><Consult/></VisitFor>", "",
         2022, std::nullopt},
        {"a needed value missing", "2023-04-07", fine,
         "<Pay>1</Pay><Incidentally>0</Incidentally><Disadv>0</Disadv>", 2022,
         UnreadValue{"000412", "Sign", std::nullopt,
                     "Could not convert variant of type (Null) into type (Boolean)"}},
        {"a value only later versions need", "2006-05-07", fine, "<Sign>1</Sign><Disadv>0</Disadv>",
         2006, std::nullopt},
        {"the second drug's register number in a version of form numbers", "2015-03-07",
         "<Docs><Rp><RpDrug><prescNum>5</prescNum><Quantity>1</Quantity><Day>2</Day></RpDrug>"
         "<RpDrug><prescNum>2304A1000001</prescNum><Quantity>1</Quantity><Day>2</Day></RpDrug>"
         "</Rp></Docs>",
         "", 2015,
         UnreadValue{"000412", "Docs/Rp/RpDrug/prescNum", "2304A1000001",
                     "Could not convert variant of type (String) into type (Integer)"}},
        {"a value of a second Docs, which the model does not see", "2015-03-07",
         "<Docs/><Docs><Izvestie>x</Izvestie></Docs>", "", 2015, std::nullopt},
        {"a value with elements in it", "2009-11-07", "<Docs><Izvestie><b>1</b></Izvestie></Docs>",
         "", 2009,
         UnreadValue{"000412", "Docs/Izvestie", std::nullopt,
                     "Element does not contain a single text node"}},
        {"a sheet's date that is no date", "2023-13-01", fine, "", 2022,
         UnreadValue{"000412", "dataAl", "2023-13-01", "'2023-13-01' is not a valid date"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        testing::ReportInput report;
        testing::SheetInput sheet;
        sheet.dataAl = c.date;
        sheet.extra = c.extra;
        if (!c.flags.empty())
            sheet.flags = c.flags;
        report.doctors[0].sheets = {sheet};
        const VersionFit fit = check(testing::reportXml(report), c.chosen);
        EXPECT_EQ(fit.unread, c.unread);
        EXPECT_EQ(fit.fits(), !c.unread);
        if (!fit.inForce.empty()) {
            EXPECT_EQ(fit.clear, c.unread ? std::nullopt : std::optional<int>(indexOf(c.chosen)));
        }
    }
}

TEST_F(VersionCheck, SaysWhatTheModelCannotRead) {
    const std::string word = "<VisitFor><Consult>true</Consult></VisitFor>";
    EXPECT_EQ(misfitText(check(datedReport({"2023-04-07"}, word), 2022)),
              "Избрано е НРД 2022 и прегледите във файла са от 04.2023 (НРД 2022), но НРД 2022 не "
              "може да прочете АЛ № 000412, VisitFor/Consult „true“: Could not convert variant "
              "of type (String) into type (Integer).");
    EXPECT_EQ(noClearVersionText(check(datedReport({"2023-04-07"}, word), -1)),
              "Прегледите във файла са от 04.2023 (НРД 2022), но НРД 2022 не може да прочете АЛ "
              "№ 000412, VisitFor/Consult „true“: Could not convert variant of type (String) into "
              "type (Integer).");
    // Dated in another version's period, which cannot read it either: nothing to switch to.
    const std::string register_ =
        "<Docs><Rp><RpDrug><prescNum>2304A1000001</prescNum><Quantity>1</Quantity><Day>2</Day>"
        "</RpDrug></Rp></Docs>";
    const VersionFit neither = check(datedReport({"2018-06-07"}, register_), 2022);
    EXPECT_FALSE(neither.clear);
    EXPECT_EQ(misfitText(neither),
              "Избрано е НРД 2022, а прегледите във файла са от 06.2018 (НРД 2018). С НРД 2018 "
              "обаче файлът също не се чете: АЛ № 000412, Docs/Rp/RpDrug/prescNum „2304A1000001“: "
              "Could not convert variant of type (String) into type (Integer).");
    EXPECT_EQ(misfitText(check(datedReport({"2023-13-01"}), 2022)),
              "Избрано е НРД 2022, но НРД 2022 не може да прочете АЛ № 000412, dataAl "
              "„2023-13-01“: '2023-13-01' is not a valid date.");
    EXPECT_EQ(noClearVersionText(check(datedReport({"2014-12-20", "2015-01-10"}), -1)),
              "Прегледите във файла са от 12.2014 до 01.2015 (НРД 2009 и НРД 2015). Файлът "
              "съдържа прегледи от периодите на различни НРД.");
}

TEST_F(VersionCheck, CreatesNoElement) {
    const std::string xml = datedReport({"2023-04-07", "2015-03-07"});
    const std::shared_ptr<Document> document = files_.parse(xml);
    const Element root = document->existingRoot();
    for (int chosen = 0; chosen < XmlReport::kVersionCount; ++chosen)
        checkVersion(root, chosen);
    for (const Element& sheet : GetNode(root, "Doctor").findChildren("AmbList"))
        for (const char* absent : {"VisitFor", "Docs", "Hired_Subst", "PatientofNeotlID"})
            EXPECT_FALSE(NodeExsist(sheet, absent)) << absent;
}

}  // namespace
}  // namespace kalvex::ereport
