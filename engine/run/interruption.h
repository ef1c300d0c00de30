#pragma once

#include "common/error.h"

// A request to stop the run, made from outside it (a signal): a flag that the driver
// turns into an Interrupted error between sheets, where the run stops as on an error.
namespace kalvex::engine {

class Interrupted : public Error {
  public:
    Interrupted() : Error("Импортът е прекъснат.") {}
};

// Safe to call from a signal handler.
void requestInterruption() noexcept;
bool interruptionRequested() noexcept;
// Forgets an earlier request (a new run of the same process).
void clearInterruption() noexcept;
// Throws Interrupted when a stop has been requested.
void checkInterruption();

}  // namespace kalvex::engine
