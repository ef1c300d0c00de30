#pragma once

#include <optional>
#include <string>

// How the import talks to whoever runs it: the wizard answers with its progress page
// and dialogs, kalvex-import with preset answers, the tests with scripted ones.
namespace kalvex::engine {

class ImportUser {
  public:
    virtual ~ImportUser() = default;

    // The progress page's action text, count text and bar.
    virtual void setActionText(const std::string& text) = 0;
    virtual void setCountText(const std::string& text) = 0;
    virtual void setProgress(int position, int maximum) = 0;

    // Told the UIN of the hired or substitute doctor that the questions and prompts
    // which follow are about; their texts name the sheet and the doctor's name only.
    virtual void hiredDoctorAsked(const std::string& /*uin*/) {}
    // A question with the answers Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& caption, const std::string& question) = 0;
    // A line of text, or nothing when the user cancels.
    virtual std::optional<std::string> inputText(const std::string& caption,
                                                 const std::string& prompt,
                                                 const std::string& initial) = 0;
    // True once the program's end has been asked for: the import still runs to its end,
    // but questions and prompts are no longer shown (they get No, or nothing), so one
    // that would ask again until it has an answer gives up.
    virtual bool endRequested() const { return false; }
    // A message with one OK button.
    virtual void showMessage(const std::string& text) = 0;
    // A line for the details page only; it is not written to the log file.
    virtual void LogToMemo(const std::string& message) = 0;
};

}  // namespace kalvex::engine
