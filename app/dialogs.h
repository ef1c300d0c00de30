#pragma once

#include <optional>
#include <string>

class QWidget;

// Every box and dialog the wizard shows goes through this interface, so that the
// tests answer them by script and never block.
namespace kalvex::app {

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Information box with OK and Cancel; true for OK. Escape and closing count as Cancel.
    virtual bool confirm(QWidget* parent, const std::string& text) = 0;
    // Boxes with one OK button.
    virtual void information(QWidget* parent, const std::string& text) = 0;
    virtual void error(QWidget* parent, const std::string& text) = 0;
    // Yes and No; true for Yes.
    virtual bool question(QWidget* parent, const std::string& caption, const std::string& text) = 0;
    // Yes and No where going on is the risky answer: No is the default button, so that
    // Enter does not say Yes. Where a stand-in has no such box, its plain question.
    virtual bool questionNoByDefault(QWidget* parent, const std::string& caption,
                                     const std::string& text) {
        return question(parent, caption, text);
    }
    // A line of text, or nothing when cancelled.
    virtual std::optional<std::string> input(QWidget* parent, const std::string& caption,
                                             const std::string& prompt,
                                             const std::string& initial) = 0;
    // The dialog offers the wizard's filters, "XML Files (*.xml)", "GDB Files (*.gdb)",
    // "FDB Files (*.fdb)", "Бази на Salvix (*.gdb *.fdb)" and all files, with
    // `selectedFilter` (one of them) chosen.
    virtual std::optional<std::string> openFile(QWidget* parent, const std::string& title,
                                                const std::string& startFolder,
                                                const std::string& selectedFilter) = 0;
    virtual std::optional<std::string> chooseFolder(QWidget* parent, const std::string& title,
                                                    const std::string& startFolder) = 0;
};

}  // namespace kalvex::app
