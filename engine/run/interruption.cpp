#include "engine/run/interruption.h"

#include <csignal>

namespace kalvex::engine {
namespace {

volatile std::sig_atomic_t requested = 0;

}  // namespace

void requestInterruption() noexcept {
    requested = 1;
}

bool interruptionRequested() noexcept {
    return requested != 0;
}

void clearInterruption() noexcept {
    requested = 0;
}

void checkInterruption() {
    if (interruptionRequested())
        throw Interrupted();
}

}  // namespace kalvex::engine
