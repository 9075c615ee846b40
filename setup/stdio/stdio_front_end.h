// `Onboarder --stdio`: the bridge with the terminal as the page. Each line of
// standard input is one page message (JSON text); each script the page would
// evaluate is written to standard output as one line.
#pragma once

namespace qvx {

// Runs until the end of standard input and of every engine run started, or
// until a "quit" message. Returns the exit code of the program.
int runStdioFrontEnd();

}  // namespace qvx
