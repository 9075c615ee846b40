// pdehost-gui: the print dialog window, started as `pdehost --gui`, which
// replaces itself with this program (same process, same arguments).
#include "gui_main.h"
#include "program_start.h"
#include "session/host_session.h"

int main(int argc, char** argv) {
  using namespace pdehost;
  CommandLine line = readCommandLine(argc, argv);
  if (!line.options) return line.exitStatus;
  int status = kExitOk;
  auto start = openScript(std::move(*line.options), argv[0], &status);
  if (!start) return status;
  // The window reads a script only when one is named, and finds its
  // printer while it shows.
  CommandTable commands = standardCommands();
  return gtk::runPrintDialog(start->options, start->program, commands, start->scriptFile.get(), start->scriptName);
}
