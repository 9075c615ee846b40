// pdehost: a print-dialog host on the command line. It loads a panel
// plug-in, opens the printer description and drives the panel from a script.
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "host_options.h"
#include "host_session.h"
#include "script_runner.h"
#include "toolkit/whole_file.h"
#ifdef QVX_HAVE_GUI
#include "gui_main.h"
#endif

namespace {

std::filesystem::path ownPath(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::absolute(argv0, ec) : self;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pdehost;
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = parseHostOptions(args, &error);
  if (!options) {
    std::cerr << "pdehost: " << error << "\n" << hostUsage();
    return kExitUsage;
  }
  if (options->help) {
    std::cout << hostUsage();
    return kExitOk;
  }

#ifndef QVX_HAVE_GUI
  if (options->gui) {
    std::cerr << "pdehost: this pdehost was built without its window (--gui)\n";
    return kExitUsage;
  }
#endif

  // A full disk or a file-size limit is a write that fails with a message,
  // not a death by signal halfway through a file.
  std::signal(SIGXFSZ, SIG_IGN);

  std::istringstream scriptFile;
  const bool fromStdin = options->script.empty() || options->script == "-";
  if (!fromStdin) {
    auto text = toolkit::readWholeFile(options->script, &error, {kLargestScriptFile, "too large to be a script"});
    if (!text) {
      std::cerr << "pdehost: " << error << "\n";
      return kExitCannotLoad;
    }
    scriptFile.str(std::move(*text));
  }

  CommandTable commands = standardCommands();
#ifdef QVX_HAVE_GUI
  // The window reads a script only when one is named, and finds its
  // printer while it shows.
  if (options->gui)
    return gtk::runPrintDialog(*options, ownPath(argv[0]), commands, fromStdin ? nullptr : &scriptFile,
                               options->script.string());
#endif
  HostSession::StartFailure failure;
  auto session = HostSession::start(*options, ownPath(argv[0]), &failure);
  if (!session) {
    std::cerr << "pdehost: " << failure.message << "\n";
    if (failure.panels) std::cout << jsonLine({{"panels", *failure.panels}}) << std::endl;
    return failure.exitStatus;
  }
  return runScript(fromStdin ? std::cin : scriptFile, fromStdin ? "stdin" : options->script.string(), *session,
                   commands, {std::cout, std::cerr, options->plain});
}
