#pragma once

#include <functional>

// Long work (parsing an e-report, the import, a commit) runs on a thread of its own
// while the window's thread keeps turning its event loop, so that the window repaints
// and its details page can be opened. Nothing but `work` touches the data it uses
// until it ends; the caller keeps the controls that could start more work disabled.
namespace kalvex::app {

// Runs `work` off the window's thread and returns when it has ended, handling the
// window's events meanwhile; a failure of `work` is thrown here as it was thrown.
void runOffWindowThread(const std::function<void()>& work);

}  // namespace kalvex::app
