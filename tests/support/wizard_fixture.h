#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "support/practice_database.h"
#include "support/report_builder.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

// The wizard walked as a user would, against a real practice database and e-report
// files the tests write, with every dialog answered by script: what the wizard tests
// share. A test class derives from WizardFixture and calls setUpWizard() and
// tearDownWizard() from its init() and cleanup() slots.
namespace kalvex::testing {

struct Doctor {
    std::string fullName;
    std::string uin;
    int sheets = 0;
};

// An e-report with these doctors (NRD 2022 takes exactly one), each with sheets that
// the import takes: numbered from 1, each of a patient of its own.
inline std::string report(const std::vector<Doctor>& doctors, int year = 2022) {
    const char* const patients[] = {"7501020018", "8001010005", "6101010013"};
    ReportInput input;
    input.doctors.clear();
    for (const Doctor& d : doctors) {
        DoctorInput doctor;
        doctor.fullName = d.fullName;
        doctor.uin = d.uin;
        for (int i = 0; i < d.sheets; ++i) {
            SheetInput sheet;
            sheet.noAl = std::to_string(i + 1);
            sheet.egn = patients[i % 3];
            doctor.sheets.push_back(sheet);
        }
        input.doctors.push_back(doctor);
    }
    dateWithin(year, input);
    return reportXml(input);
}

constexpr int kNrd2018 = 6;
constexpr int kNrd2022 = 8;

class WizardFixture : public QObject {
  protected:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<PracticeDatabase> database_;
    ScriptedDialogs dialogs_;
    std::optional<app::Session> session_;
    int endRequests_ = 0;
    std::vector<std::string> fileSteps_;

    void setUpWizard() {
        dir_ = std::make_unique<TempDir>();
        database_ = std::make_unique<PracticeDatabase>();
        dialogs_ = ScriptedDialogs{};
        endRequests_ = 0;
        fileSteps_.clear();
    }

    void tearDownWizard() {
        session_.reset();
        database_.reset();
        dir_.reset();
    }

    app::TfrmMain& w() { return *session_->window; }
    std::string programPath() const { return dir_->file("kalvex"); }
    std::string optionsFile() const { return dir_->file("kalvex.ini"); }

    void addDatabaseDoctor(const char* first, const char* middle, const char* last, const char* uin,
                           std::optional<std::int64_t> speciality = {}) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        dm.SqlToValue(
            "INSERT INTO DOCTOR (FNAME, SNAME, LNAME, UIN, SPECIALITY_ID) VALUES (:F, :S, :L, "
            ":UIN, :SPECIALITY)",
            {{"F", first},
             {"S", middle == nullptr ? common::Null : common::Variant(std::string(middle))},
             {"L", last},
             {"UIN", uin},
             {"SPECIALITY", speciality ? common::Variant(*speciality) : common::Null}});
        db::GDBCloseDatabase(dm);
    }

    // A value read through a connection of its own, as the next program would see it.
    common::Variant committed(const std::string& sql) {
        db::Tdm dm;
        db::GDBOpenDatabase(dm, database_->path());
        common::Variant value = dm.SqlToValue(sql);
        db::GDBCloseDatabase(dm);
        return value;
    }

    void start() {
        session_ = app::startUp(programPath(), dialogs_);
        QVERIFY(session_.has_value());
        w().endProgram = [this] { ++endRequests_; };
        w().onFileStep = [this](const std::string& text) { fileSteps_.push_back(text); };
        w().show();
    }

    // From the welcome page to the doctor page with the given inputs.
    void toDoctorPage(int nrd, const std::string& xmlFile, const std::string& folder = "") {
        QTest::keyClick(&w(), Qt::Key_Return);
        w().cbNRD->setCurrentIndex(nrd);
        if (folder.empty()) {
            w().rbFile->click();
            w().edtXMLfile->setText(QString::fromStdString(xmlFile));
        } else {
            w().rbFolder->click();
            w().edtXMLDir->setText(QString::fromStdString(folder));
        }
        w().edtGDBfile->setText(QString::fromStdString(database_->path()));
        w().btnNext->click();
    }

    void waitForPage(QWidget* page) {
        QTRY_VERIFY_WITH_TIMEOUT(w().pages->currentWidget() == page, 20000);
    }
};

}  // namespace kalvex::testing
