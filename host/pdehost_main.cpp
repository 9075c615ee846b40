// pdehost: a print-dialog host on the command line. It loads a panel
// plug-in, opens the printer description and drives the panel from a script.
// It links no GTK: --gui hands the whole run to the window program.
#include <iostream>

#include "program_start.h"
#include "script/script_runner.h"
#include "session/host_session.h"

int main(int argc, char** argv) {
  using namespace pdehost;
  CommandLine line = readCommandLine(argc, argv);
  if (!line.options) return line.exitStatus;
  // Before the script is opened: the window program opens it itself, and
  // a named pipe opened twice would lose what was written to it.
  if (line.options->gui) return execWindowProgram(ownPath(argv[0]), argv);

  int status = kExitOk;
  auto start = openScript(std::move(*line.options), argv[0], &status);
  if (!start) return status;
  HostSession::StartFailure failure;
  auto session = HostSession::start(start->options, start->program, &failure);
  if (!session) {
    std::cerr << "pdehost: " << failure.message << "\n";
    if (failure.panels) std::cout << jsonLine({{"panels", *failure.panels}}) << std::endl;
    return failure.exitStatus;
  }
  std::istream& script = start->scriptFile ? *start->scriptFile : std::cin;
  return runScript(script, start->scriptName, *session, standardCommands(), {std::cout, std::cerr, start->options.plain});
}
