#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "app/dialogs.h"

namespace kalvex::testing {

// The wizard's dialogs for tests that only watch it: the disclaimer is accepted, what
// the wizard says is kept ("info: …" / "error: …"), its questions get what
// `onQuestion` answers (No without it), its prompts and file dialogs are cancelled.
class RecordingDialogs final : public app::Dialogs {
  public:
    QStringList said;
    std::function<bool()> onQuestion;
    int prompts = 0;

    bool confirm(QWidget*, const std::string&) override { return true; }
    void information(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("info: " + text));
    }
    void error(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("error: " + text));
    }
    bool question(QWidget*, const std::string&, const std::string&) override {
        return onQuestion && onQuestion();
    }
    std::optional<std::string> input(QWidget*, const std::string&, const std::string&,
                                     const std::string&) override {
        ++prompts;
        return std::nullopt;
    }
    std::optional<std::string> openFile(QWidget*, const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(QWidget*, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace kalvex::testing
