#pragma once

#include <QCheckBox>
#include <QString>
#include <QtTest>
#include <filesystem>
#include <string>
#include <vector>

#include "support/report_builder.h"
#include "support/sample_documents.h"
#include "support/wizard_fixture.h"

// Runs of the wizard whose last page has something to show, shared by the tests of the
// summaries and the tool that photographs them. `how` names the run:
//   "plain"           a file of two sheets, all written
//   "unknown vaccine" the second sheet's vaccine has a code the database lacks
//   "long name"       the second sheet's patient has a name longer than its column
//   "every document"  a sheet with every kind of document
//   "folder"          a folder of two files of one sheet each
//   "whole practice"  a file of three doctors, imported each under his own, one of
//                     them missing from the database
namespace kalvex::testing {

class SummaryFixture : public WizardFixture {
  protected:
    // From the welcome page to the summary page, the dry run chosen or not.
    void toSummaryPage(const QString& how, bool dryRun = false) {
        addDatabaseDoctor("Мария", "Иванова", "Петрова", "0400000001");
        start();
        if (how == "whole practice") {
            addDatabaseDoctor("Анна", "Колева", "Колева", "111");
            addDatabaseDoctor("Божидар", "Ников", "Ников", "222");
            writeBytes(dir_->file("r.xml"), report({{"Анна Колева Колева", "111", 1},
                                                    {"Божидар Ников Ников", "222", 2},
                                                    {"Цветан Цонев Цонев", "333", 3}},
                                                   2018));
            toDoctorPage(kNrd2018, dir_->file("r.xml"));
            w().ckbAllDoctors->click();
        } else if (how == "folder") {
            std::filesystem::create_directory(dir_->file("reports"));
            for (const std::string number : {"1", "2"}) {
                SheetInput sheet;
                sheet.noAl = number;
                writeBytes(dir_->file("reports/" + number + ".xml"), sheetsReport({sheet}));
            }
            toDoctorPage(kNrd2022, "", dir_->file("reports"));
        } else {
            writeBytes(dir_->file("r.xml"), sheetsReport(sheetsOf(how)));
            toDoctorPage(kNrd2022, dir_->file("r.xml"));
        }
        QCOMPARE(w().pages->currentWidget(), w().tshDoctor);
        w().btnNext->click();
        w().ckbDryRun->setChecked(dryRun);
    }

    // From the summary page to the last page.
    void importToTheEnd() {
        w().btnNext->click();
        waitForPage(w().tshFinishUpdate);
    }

  private:
    static std::vector<SheetInput> sheetsOf(const QString& how) {
        SheetInput first, second;
        first.noAl = "1";
        second.noAl = "2";
        second.egn = "8001010005";
        if (how == "unknown vaccine")
            second.extra =
                "<Imun><CodeImun>99</CodeImun><Vaccine><VaccineNo>AB123</VaccineNo>"
                "<VaccineType>1</VaccineType></Vaccine><NoImun>23049I000002</NoImun></Imun>";
        else if (how == "long name")
            second.given = std::string(51, 'x');
        else if (how == "every document")
            second.extra = sampleDocuments(2022);
        return {first, second};
    }

    static std::string sheetsReport(std::vector<SheetInput> sheets) {
        ReportInput input;
        input.doctors[0].sheets = std::move(sheets);
        return reportXml(input);
    }
};

}  // namespace kalvex::testing
