#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>

#include "app/dialogs.h"

namespace kalvex::testing {

// Answers every dialog of the wizard from the script and keeps what the wizard said.
class ScriptedDialogs final : public app::Dialogs {
  public:
    bool acceptDisclaimer = true;
    QStringList said;  // "info: …" / "error: …"

    bool confirm(QWidget*, const std::string&) override { return acceptDisclaimer; }
    void information(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("info: " + text));
    }
    void error(QWidget*, const std::string& text) override {
        said.push_back(QString::fromStdString("error: " + text));
    }
    // Answers of the questions (No when run out) and inputs (Cancel when run out), and
    // what they were asked; `noByDefault` holds the questions whose default was No.
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> inputs;
    QStringList questions, noByDefault, prompts;
    bool question(QWidget*, const std::string&, const std::string& text) override {
        questions.push_back(QString::fromStdString(text));
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool questionNoByDefault(QWidget* parent, const std::string& caption,
                             const std::string& text) override {
        noByDefault.push_back(QString::fromStdString(text));
        return question(parent, caption, text);
    }
    std::optional<std::string> input(QWidget*, const std::string& caption,
                                     const std::string& prompt, const std::string&) override {
        prompts.push_back(QString::fromStdString(caption + "|" + prompt));
        if (inputs.empty())
            return std::nullopt;
        std::optional<std::string> answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    // The next answer of the file and folder dialogs, and what the wizard asked them.
    std::optional<std::string> chosen;
    QStringList asked;
    std::optional<std::string> openFile(QWidget*, const std::string& title,
                                        const std::string& startFolder,
                                        const std::string& selectedFilter) override {
        asked.push_back(QString::fromStdString(title + "|" + startFolder + "|" + selectedFilter));
        return chosen;
    }
    std::optional<std::string> chooseFolder(QWidget*, const std::string& title,
                                            const std::string& startFolder) override {
        asked.push_back(QString::fromStdString(title + "|" + startFolder));
        return chosen;
    }
};

}  // namespace kalvex::testing
