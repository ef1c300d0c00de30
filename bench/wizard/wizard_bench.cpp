// Walks the wizard through the import of a generated NRD 2022 e-report of N sheets, as a
// user would, and prints the longest time its window went without an event-loop turn
// (no repaint, no click), where that was, and the distribution of all such gaps.
//   QT_QPA_PLATFORM=offscreen wizard_bench [SHEETS [ROUNDS]]   (default 10000 sheets, 3)
// Each round is a fresh practice database and a fresh wizard; the phases are: choosing
// the file, loading it and filling the doctor lists (leaving the file page), the
// doctor and summary pages, the import's start, each sheet, the summary, the last page
// and the final commit ("Край").
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/data_module.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "app/summary_table.h"
#include "common/numbers.h"
#include "db/gdb_mediator.h"
#include "db/tdm.h"
#include "import/report_generator.h"
#include "wizard/gap_monitor.h"

namespace {

using namespace kalvex;

// The user's answers: the benchmark's file from the file dialog, No and Cancel to the
// import's questions (its report asks none); what the wizard says is printed.
class BenchDialogs final : public app::Dialogs {
  public:
    std::string file;
    bool confirm(QWidget*, const std::string&) override { return true; }
    void information(QWidget*, const std::string& text) override {
        std::fprintf(stderr, "info: %s\n", text.c_str());
    }
    void error(QWidget*, const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
        failed = true;
    }
    bool question(QWidget*, const std::string&, const std::string&) override { return false; }
    std::optional<std::string> input(QWidget*, const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(QWidget*, const std::string&, const std::string&,
                                        const std::string&) override {
        return file;
    }
    std::optional<std::string> chooseFolder(QWidget*, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
    bool failed = false;
};

// Lets the event loop run for `ms`, as the user's pause between two actions.
void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

std::string freshDatabase(const std::filesystem::path& dir) {
    const std::string path = (dir / "practice.fdb").string();
    const std::string command =
        std::string(KALVEX_SOURCE_DIR) + "/tools/make_practice_db.sh '" + path + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("cannot build " + path);
    db::Tdm dm;
    db::GDBOpenDatabase(dm, path);
    dm.SqlToValue(
        "INSERT INTO DOCTOR (UIN, SPECIALITY_ID, EGN, FNAME, SNAME, LNAME) VALUES "
        "('2300012345', 1, '7204156625', 'Радка', 'Петрова', 'Стоянова')");
    db::GDBCloseDatabase(dm);
    return path;
}

struct Round {
    double longest = 0, longestProcessor = 0, p50 = 0, p99 = 0;
    std::string where;
    std::vector<std::string> top;                                   // the five longest gaps, told
    std::map<std::string, std::pair<double, std::string>> perKind;  // kind: longest, phase
    std::size_t turns = 0;
    double seconds = 0;
};

// A phase's kind: its name without a trailing number ("sheet 17" is a "sheet").
std::string kindOf(const std::string& phase) {
    const auto space = phase.rfind(' ');
    if (space != std::string::npos &&
        phase.find_first_not_of("0123456789", space + 1) == std::string::npos)
        return phase.substr(0, space);
    return phase;
}

Round runOnce(const std::filesystem::path& dir, const std::string& report) {
    const std::string database = freshDatabase(dir);
    BenchDialogs dialogs;
    dialogs.file = report;
    std::optional<app::Session> session = app::startUp((dir / "kalvex").string(), dialogs);
    app::TfrmMain& w = *session->window;
    bool ended = false;
    w.endProgram = [&] { ended = true; };
    w.show();
    pause(200);

    bench::GapMonitor monitor;
    QObject::connect(w.cbxDoctorXML->model(), &QAbstractItemModel::rowsInserted, &monitor,
                     [&] { monitor.mark("doctor lists"); });
    QObject::connect(w.ProgressBar, &QProgressBar::valueChanged, &monitor, [&](int value) {
        if (value > 0)
            monitor.mark("sheet " + std::to_string(value));
    });
    bool summaryShown = false;
    QObject::connect(w.tblSummary->model(), &QAbstractItemModel::rowsInserted, &monitor, [&] {
        if (!std::exchange(summaryShown, true))
            monitor.mark("summary");
    });
    QObject::connect(w.pages, &QStackedWidget::currentChanged, &monitor, [&] {
        QWidget* page = w.pages->currentWidget();
        if (page == w.tshDoctor)
            monitor.mark("doctor page");
        else if (page == w.tshInformationGathered)
            monitor.mark("summary page");
        else if (page == w.tshProgress)
            monitor.mark("import start");
        else if (page == w.tshFinishUpdate)
            monitor.mark("last page");
    });

    monitor.start();
    pause(20);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);  // welcome -> file page
    pause(20);
    monitor.mark("choose file");
    w.cbNRD->setCurrentIndex(8);  // NRD 2022
    w.rbFile->click();
    w.btnSelectDirUNC->click();
    w.edtGDBfile->setText(QString::fromStdString(database));
    pause(20);
    monitor.mark("file load");
    w.btnNext->click();  // loads the file, fills both doctor lists, opens the database
    pause(20);
    if (w.pages->currentWidget() != w.tshDoctor || dialogs.failed)
        throw std::runtime_error("the wizard did not reach the doctor page");
    w.btnNext->click();  // the summary page
    pause(20);
    {
        QEventLoop untilLastPage;
        QObject::connect(w.pages, &QStackedWidget::currentChanged, &untilLastPage, [&] {
            if (w.pages->currentWidget() == w.tshFinishUpdate)
                untilLastPage.quit();
        });
        QTimer::singleShot(0, &w, [&] { w.btnNext->click(); });  // the progress page
        untilLastPage.exec();
    }
    pause(100);
    monitor.mark("final commit");
    w.btnNext->click();  // "Край"
    monitor.mark("idle");
    pause(20);
    monitor.stop();
    if (!ended || dialogs.failed)
        throw std::runtime_error("the wizard did not end as it should");

    Round round;
    round.turns = monitor.gaps().size();
    round.seconds =
        monitor.gaps().empty() ? 0 : static_cast<double>(monitor.gaps().back().to) / 1e9;
    round.p50 = monitor.quantile(0.5);
    round.p99 = monitor.quantile(0.99);
    for (const auto& gap : monitor.gaps()) {
        const std::string phase = monitor.mainPhase(gap);
        auto& [longest, where] = round.perKind[kindOf(phase)];
        if (gap.ms() > longest)
            longest = gap.ms(), where = phase;
        if (gap.ms() > round.longest) {
            round.longest = gap.ms();
            round.longestProcessor = gap.processorMs();
            round.where = phase;
        }
    }
    std::vector<bench::GapMonitor::Gap> sorted = monitor.gaps();
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.ms() > b.ms(); });
    for (std::size_t i = 0; i < std::min<std::size_t>(5, sorted.size()); ++i) {
        char head[64];
        std::snprintf(head, sizeof head, "%.1f ms (processor %.1f ms): ", sorted[i].ms(),
                      sorted[i].processorMs());
        round.top.push_back(head + monitor.describe(sorted[i]));
    }
    session.reset();
    std::filesystem::remove(database);
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const auto argument = [&](int index, int fallback, int least, int most) {
        if (argc <= index)
            return fallback;
        const auto value = common::parseInteger(argv[index]);
        return value && *value >= least && *value <= most ? *value : -1;
    };
    const int sheets = argument(1, 10000, 1, 10000000);
    const int rounds = argument(2, 3, 1, 100);
    if (argc > 3 || sheets < 0 || rounds < 0) {
        std::fprintf(stderr, "usage: wizard_bench [SHEETS [ROUNDS]]\n");
        return 2;
    }
    char pattern[] = "/tmp/kalvex-wizard-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return 1;
    const std::filesystem::path dir = pattern;
    int status = 0;
    try {
        const std::string report = (dir / "report.xml").string();
        std::ofstream(report, std::ios::binary)
            << testing::reportXml(bench::generateReport(sheets).input);
        std::printf("NRD 2022 e-report of %d sheets (%.1f MB) through the wizard, %s platform\n",
                    sheets, static_cast<double>(std::filesystem::file_size(report)) / 1048576.0,
                    qPrintable(QGuiApplication::platformName()));
        double best = 1e300, worst = 0;
        for (int r = 1; r <= rounds; ++r) {
            const Round round = runOnce(dir, report);
            best = std::min(best, round.longest);
            worst = std::max(worst, round.longest);
            std::printf(
                "round %d: %.1f s, %zu event-loop turns; gap p50 %.2f ms, p99 %.2f ms, "
                "longest %.1f ms (processor %.1f ms) in %s\n",
                r, round.seconds, round.turns, round.p50, round.p99, round.longest,
                round.longestProcessor, round.where.c_str());
            for (const std::string& gap : round.top)
                std::printf("  gap %s\n", gap.c_str());
            for (const auto& [kind, longest] : round.perKind)
                std::printf("  %-14s longest %8.1f ms%s%s\n", kind.c_str(), longest.first,
                            longest.second == kind ? "" : "  at ",
                            longest.second == kind ? "" : longest.second.c_str());
        }
        std::printf("longest gap over %d rounds: best %.1f ms, worst %.1f ms (target < 100 ms)\n",
                    rounds, best, worst);
        status = worst < 100 ? 0 : 3;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        status = 1;
    }
    std::filesystem::remove_all(dir);
    return status;
}
