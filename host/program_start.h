// What both of pdehost's programs do first: read the command line, answer
// --help, and open the script it names. `pdehost` runs scripts without a
// display; `pdehost --gui` becomes `pdehost-gui`, the window program beside
// it, so that no GTK library is loaded for a script run.
#pragma once

#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>

#include "session/host_options.h"

namespace pdehost {

// The window program's file name, beside pdehost.
inline constexpr const char* kWindowProgram = "pdehost-gui";

struct ProgramStart {
  HostOptions options;
  std::filesystem::path program;  // this program's own file
  // The script named on the command line, read whole; null for standard input.
  std::unique_ptr<std::istream> scriptFile;
  std::string scriptName;  // as messages name it: the file, or "stdin"
};

// The command line read, or the exit status after --help or a wrong command
// line (with its message on standard error).
struct CommandLine {
  std::optional<HostOptions> options;
  int exitStatus = 0;
};
CommandLine readCommandLine(int argc, char** argv);

// Reads the script the options name; none, with the message on standard
// error and `*exitStatus` set, when it cannot be read.
std::optional<ProgramStart> openScript(HostOptions options, const char* argv0, int* exitStatus);

// Replaces this process with the window program beside `program`, with the
// same arguments. Returns only when that fails: the exit status, with the
// message on standard error.
int execWindowProgram(const std::filesystem::path& program, char** argv);

// This program's own file, or `argv0` made absolute when the system does not say.
std::filesystem::path ownPath(const char* argv0);

}  // namespace pdehost
