// Runs the built pdehost program as a person would: arguments, a script on
// its standard input, and what it printed on its two outputs.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace pdehost_test {

namespace fs = std::filesystem;

struct HostRun {
  int status = -1;       // the exit status, or 128 + the signal that ended it
  int signal = 0;        // the signal that ended it, 0 when it exited
  bool timedOut = false;  // it ran past the time allowed and was killed
  std::vector<nlohmann::json> lines;
  std::string out;
  std::string err;
};

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `program` with `args` in `dir`'s files: `script` (any bytes) on its
// standard input. A run that does not end within `allowed` is killed and
// marked timed out rather than left to hang the test. With `jsonLines`,
// every line of standard output must be JSON.
inline HostRun runPdeHost(const fs::path& program, const fs::path& dir, const std::vector<std::string>& args,
                          const std::string& script, bool jsonLines = true,
                          std::chrono::seconds allowed = std::chrono::seconds(120)) {
  const fs::path in = dir / "script.txt", out = dir / "out.txt", err = dir / "err.txt";
  std::ofstream(in, std::ios::binary) << script;
  std::vector<std::string> argv = {program.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  HostRun result;
  if (posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ) == 0) {
    const auto deadline = std::chrono::steady_clock::now() + allowed;
    int wstatus = 0;
    while (waitpid(pid, &wstatus, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        result.timedOut = true;
        kill(pid, SIGKILL);
        waitpid(pid, &wstatus, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFSIGNALED(wstatus)) result.signal = WTERMSIG(wstatus);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = readFile(out);
  result.err = readFile(err);
  std::istringstream lines(result.out);
  for (std::string line; jsonLines && std::getline(lines, line);) {
    nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
    EXPECT_FALSE(parsed.is_discarded()) << "not a JSON line: " << line;
    result.lines.push_back(parsed);
  }
  return result;
}

}  // namespace pdehost_test
