// Runs the built pdehost program as a person would: arguments, a script on
// its standard input, and what it printed on its two outputs.
#pragma once

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace pdehost_test {

using qvx::test::readFile;

struct HostRun {
  int status = -1;       // the exit status, or 128 + the signal that ended it
  int signal = 0;        // the signal that ended it, 0 when it exited
  bool timedOut = false;  // it ran past the time allowed and was killed
  std::vector<nlohmann::json> lines;
  std::string out;
  std::string err;
};

// One run: the arguments and the script (any bytes) given on standard input.
struct HostCall {
  std::vector<std::string> args;
  std::string script;
};

// Runs `program` once for each call, all at the same time, each with its
// own files in a folder under `dir`. A run that does not end within
// `allowed` is killed and marked timed out rather than left to hang the
// test. With `jsonLines`, every line of standard output must be JSON.
std::vector<HostRun> runPdeHostTogether(const std::filesystem::path& program, const std::filesystem::path& dir,
                                        const std::vector<HostCall>& calls, bool jsonLines = true,
                                        std::chrono::seconds allowed = std::chrono::seconds(120));

// One run of `program` (see runPdeHostTogether).
HostRun runPdeHost(const std::filesystem::path& program, const std::filesystem::path& dir,
                   const std::vector<std::string>& args, const std::string& script, bool jsonLines = true);

// The run ended by itself with `status` and a message on standard error
// holding each of `parts`: no hang, signal, sanitizer report or uncaught
// exception.
void expectExit(const HostRun& run, int status, const std::vector<std::string>& parts);

// One run and how it must end.
struct Ending {
  std::string name;
  HostCall call;
  int status;
  std::vector<std::string> message;  // parts of standard error
};

// Runs the cases together and checks how each ended; one that could not
// load what it was given (status 3) prints nothing. Gives the runs for the
// checks that follow.
std::vector<HostRun> expectEndings(const std::filesystem::path& program, const std::filesystem::path& dir,
                                   const std::vector<Ending>& cases);

}  // namespace pdehost_test
