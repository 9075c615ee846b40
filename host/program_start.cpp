#include "program_start.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "bundle_path/bundle_path.h"
#include "script/script_runner.h"
#include "session/host_session.h"
#include "toolkit/whole_file.h"

namespace pdehost {
namespace fs = std::filesystem;

CommandLine readCommandLine(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  auto options = parseHostOptions(args, &error);
  if (!options) {
    std::cerr << "pdehost: " << error << "\n" << hostUsage();
    return {std::nullopt, kExitUsage};
  }
  if (options->help) {
    std::cout << hostUsage();
    return {std::nullopt, kExitOk};
  }
  return {std::move(options), kExitOk};
}

std::optional<ProgramStart> openScript(HostOptions options, const char* argv0, int* exitStatus) {
  // A full disk or a file-size limit is a write that fails with a message,
  // not a death by signal halfway through a file.
  std::signal(SIGXFSZ, SIG_IGN);
  ProgramStart start{std::move(options), ownPath(argv0), nullptr, "stdin"};
  const fs::path& script = start.options.script;
  if (script.empty() || script == "-") return start;
  auto fail = [&](const std::string& message) -> std::optional<ProgramStart> {
    std::cerr << "pdehost: " << message << "\n";
    *exitStatus = kExitCannotLoad;
    return std::nullopt;
  };
  std::string error;
  auto text = toolkit::readWholeFile(script, &error, {kLargestScriptFile, "too large to be a script"});
  if (!text) return fail(error);
  start.scriptFile = std::make_unique<std::istringstream>(std::move(*text));
  start.scriptName = script.string();
  return start;
}

int execWindowProgram(const fs::path& program, char** argv) {
  const fs::path window = program.parent_path() / kWindowProgram;
  execv(window.c_str(), argv);
  const int why = errno;
  if (why == ENOENT) {
    std::cerr << "pdehost: this pdehost was installed without its window (--gui): no " << window.string() << "\n";
    return kExitUsage;
  }
  std::cerr << "pdehost: " << window.string() << ": cannot be started: " << std::strerror(why) << "\n";
  return kExitCannotLoad;
}

fs::path ownPath(const char* argv0) {
  if (auto self = qvx::bundle_path::runningExecutable()) return *self;
  std::error_code ec;
  return fs::absolute(argv0, ec);
}

}  // namespace pdehost
