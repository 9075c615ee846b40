// `Onboarder --stdio`: the bridge with the terminal as the page. Each line of
// standard input is one page message (JSON text); each script the page would
// evaluate is written to standard output as one line.
#pragma once

#include <functional>

namespace qvx {

// The exit code when standard output failed (a full disk, a closed pipe):
// the engines ran to their end, but the page's scripts were not all written.
inline constexpr int kExitOutputLost = 3;

// Runs until the end of standard input and of every engine run started, or
// until a "quit" message; either way `terminationStep` (if any) runs last, as
// the window program runs its own when it terminates. Returns the exit code.
int runStdioFrontEnd(const std::function<void()>& terminationStep = {});

}  // namespace qvx
