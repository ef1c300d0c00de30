#include "app/off_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <exception>
#include <thread>

namespace kalvex::app {

void runOffWindowThread(const std::function<void()>& work) {
    std::exception_ptr failure;
    bool ended = false;  // set on this thread only, by the worker's last event
    QObject waker;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            // Not handled here: carried over to the waiting thread and thrown there,
            // whatever it is, as if the work had run on that thread.
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &waker, [&] { ended = true; }, Qt::QueuedConnection);
    });
    // Not a local QEventLoop: once the application was told to quit, a new loop would
    // return at once and this wait would spin.
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace kalvex::app
