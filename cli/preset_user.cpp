#include "cli/preset_user.h"

#include <ostream>

#include "common/error.h"

namespace kalvex::cli {
namespace {

// The caption of the prompt for another EGN when the given one belongs to a doctor
// already in the database; an empty answer creates no doctor.
constexpr const char* kEgnInUseCaption = "Импорт заместващ/нает доктор";

}  // namespace

PresetUser::PresetUser(std::map<std::string, std::string> hiredEgns, bool showProgress,
                       std::ostream& err)
    : hiredEgns_(std::move(hiredEgns)), showProgress_(showProgress), err_(err) {}

void PresetUser::endProgressLine() {
    if (progressShown_)
        err_ << '\n';
    progressShown_ = false;
}

void PresetUser::setProgress(int position, int maximum) {
    if (!showProgress_)
        return;
    // "\x1b[K" clears what a longer earlier line left at the end.
    err_ << '\r' << file_ << ": sheet " << position << " of " << maximum << "\x1b[K" << std::flush;
    progressShown_ = true;
}

void PresetUser::hiredDoctorAsked(const std::string& uin) {
    askedUin_ = uin;
    egnAnswers_ = 0;
}

bool PresetUser::askYesNo(const std::string&, const std::string&) {
    return hiredEgns_.contains(askedUin_);
}

std::optional<std::string> PresetUser::inputText(const std::string& caption, const std::string&,
                                                 const std::string&) {
    if (caption == kEgnInUseCaption)
        return std::string();
    const auto egn = hiredEgns_.find(askedUin_);
    // The prompt repeats until it gets an EGN it accepts; the same answer again
    // would repeat it without end.
    if (egn == hiredEgns_.end() || egnAnswers_++ > 0)
        throw Error("The EGN given for the doctor with UIN " + askedUin_ + " was not accepted");
    return egn->second;
}

void PresetUser::showMessage(const std::string& text) {
    endProgressLine();
    err_ << text << '\n';
}

}  // namespace kalvex::cli
