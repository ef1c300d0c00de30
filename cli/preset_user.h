#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>

#include "engine/run/import_user.h"

namespace kalvex::cli {

// The user of a run without a window: a hired or substitute doctor whose UIN has an
// EGN given on the command line is created with it, every other one is not; the
// progress goes to a terminal as one line that keeps being rewritten.
class PresetUser final : public engine::ImportUser {
  public:
    // `hiredEgns` maps a UIN to its doctor's EGN; `showProgress` writes the progress line.
    PresetUser(std::map<std::string, std::string> hiredEgns, bool showProgress, std::ostream& err);

    // The file named in the progress line from now on.
    void setFile(std::string name) { file_ = std::move(name); }
    // Ends a progress line on screen, so that what follows starts on a line of its own.
    void endProgressLine();

    void setActionText(const std::string&) override {}
    void setCountText(const std::string&) override {}
    void setProgress(int position, int maximum) override;
    void hiredDoctorAsked(const std::string& uin) override;
    bool askYesNo(const std::string& caption, const std::string& question) override;
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    void showMessage(const std::string& text) override;
    // The details page has no counterpart here; the log file has every line.
    void LogToMemo(const std::string&) override {}

  private:
    std::map<std::string, std::string> hiredEgns_;
    bool showProgress_;
    std::ostream& err_;
    std::string file_;
    bool progressShown_ = false;
    std::string askedUin_;
    int egnAnswers_ = 0;  // EGN prompts answered for askedUin_
};

}  // namespace kalvex::cli
