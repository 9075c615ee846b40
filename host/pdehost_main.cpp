// pdehost: a print-dialog host on the command line. It loads a panel
// plug-in, opens the printer description and drives the panel from a script.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "host_options.h"
#include "host_session.h"
#include "input_file.h"
#include "script_runner.h"
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

  std::ifstream scriptFile;
  const bool fromStdin = options->script.empty() || options->script == "-";
  if (!fromStdin) {
    if (auto notAFile = whyNotAFile(options->script)) {
      std::cerr << "pdehost: " << *notAFile << "\n";
      return kExitCannotLoad;
    }
    scriptFile.open(options->script);
    if (!scriptFile) {
      std::cerr << "pdehost: " << options->script.string() << ": cannot be opened\n";
      return kExitCannotLoad;
    }
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
