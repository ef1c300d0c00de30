#include "app/window_thread_user.h"

namespace kalvex::app {

void WindowThreadUser::setActionText(const std::string& text) {
    post([user = &user_, text] { user->setActionText(text); });
}
void WindowThreadUser::setCountText(const std::string& text) {
    post([user = &user_, text] { user->setCountText(text); });
}
void WindowThreadUser::setProgress(int position, int maximum) {
    post([user = &user_, position, maximum] { user->setProgress(position, maximum); });
}
void WindowThreadUser::hiredDoctorAsked(const std::string& uin) {
    post([user = &user_, uin] { user->hiredDoctorAsked(uin); });
}
void WindowThreadUser::LogToMemo(const std::string& message) {
    post([user = &user_, message] { user->LogToMemo(message); });
}

bool WindowThreadUser::askYesNo(const std::string& caption, const std::string& question) {
    return answer<bool>([&] { return user_.askYesNo(caption, question); });
}
std::optional<std::string> WindowThreadUser::inputText(const std::string& caption,
                                                       const std::string& prompt,
                                                       const std::string& initial) {
    return answer<std::optional<std::string>>(
        [&] { return user_.inputText(caption, prompt, initial); });
}
void WindowThreadUser::showMessage(const std::string& text) {
    answer<bool>([&] {
        user_.showMessage(text);
        return true;
    });
}

}  // namespace kalvex::app
