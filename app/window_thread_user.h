#pragma once

#include <QObject>
#include <exception>
#include <optional>
#include <string>

#include "engine/import_user.h"

// The wizard's side of an import that runs off the window's thread: every call reaches
// the wizard on the window's thread, in the order the import made them. Progress and
// log lines go without waiting; the questions wait for their answer.
namespace kalvex::app {

class WindowThreadUser final : public engine::ImportUser {
  public:
    // `window` lives on the window's thread and outlives the import; `user` answers
    // there.
    WindowThreadUser(QObject& window, engine::ImportUser& user) : window_(window), user_(user) {}

    void setActionText(const std::string& text) override;
    void setCountText(const std::string& text) override;
    void setProgress(int position, int maximum) override;
    void hiredDoctorAsked(const std::string& uin) override;
    bool askYesNo(const std::string& caption, const std::string& question) override;
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    void showMessage(const std::string& text) override;
    void LogToMemo(const std::string& message) override;

  private:
    template <class F>
    void post(F call) {
        QMetaObject::invokeMethod(&window_, std::move(call), Qt::QueuedConnection);
    }
    // Runs `ask` on the window's thread and waits for its answer; a failure there is
    // thrown here, to the import.
    template <class R, class F>
    R answer(F ask) {
        std::optional<R> result;
        std::exception_ptr failure;
        QMetaObject::invokeMethod(
            &window_,
            [&] {
                try {
                    result = ask();
                } catch (...) {
                    // Thrown again below, on the import's thread, which decides.
                    failure = std::current_exception();
                }
            },
            Qt::BlockingQueuedConnection);
        if (failure)
            std::rethrow_exception(failure);
        return std::move(*result);
    }

    QObject& window_;
    engine::ImportUser& user_;
};

}  // namespace kalvex::app
