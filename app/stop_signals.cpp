#include "app/stop_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <csignal>

#include "db/client_signals.h"

namespace kalvex::app {
namespace {

int pipeEnds[2] = {-1, -1};  // [0] read by the window's thread, [1] written by the handler

void onStopSignal(int) {
    const char byte = 1;
    // Async-signal-safe; a full pipe already holds a request, which is enough.
    const ssize_t ignored = write(pipeEnds[1], &byte, 1);
    (void)ignored;
}

}  // namespace

StopSignals::StopSignals() {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        return;  // without the pair, the signals keep their ordinary effect
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        const ssize_t ignored = read(pipeEnds[0], &byte, 1);
        (void)ignored;
        closeEverything();
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
    db::refuseClientSignalShutdown();
}

StopSignals::~StopSignals() {
    notifier_.reset();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
    for (int& end : pipeEnds) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}

void StopSignals::closeEverything() {
    // Boxes first, as by Escape: the window's close then ends the program once the
    // import, if one is running, has been committed.
    while (QWidget* modal = QApplication::activeModalWidget())
        if (!modal->close())
            break;
    QApplication::closeAllWindows();
}

}  // namespace kalvex::app
