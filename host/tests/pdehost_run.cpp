#include "pdehost_run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

extern char** environ;

namespace pdehost_test {

namespace fs = std::filesystem;

std::vector<HostRun> runPdeHostTogether(const fs::path& program, const fs::path& dir,
                                        const std::vector<HostCall>& calls, bool jsonLines,
                                        std::chrono::seconds allowed) {
  std::vector<HostRun> results(calls.size());
  std::vector<pid_t> pids(calls.size(), 0);
  std::vector<fs::path> folders;
  // pdehost asks the CUPS server for its queue: unless a test names one,
  // the runs ask a server that is not there, never the machine's own.
  setenv("CUPS_SERVER", "/nonexistent/pdehost-test-cups.sock", 0);
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const fs::path folder = dir / ("run-" + std::to_string(i));
    folders.push_back(folder);
    fs::create_directories(folder);
    const fs::path in = folder / "script.txt", out = folder / "out.txt", err = folder / "err.txt";
    std::ofstream(in, std::ios::binary) << calls[i].script;
    std::vector<std::string> argv = {program.string()};
    argv.insert(argv.end(), calls[i].args.begin(), calls[i].args.end());
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pids[i], cargv[0], &actions, nullptr, cargv.data(), environ) != 0) pids[i] = 0;
    posix_spawn_file_actions_destroy(&actions);
  }
  const auto deadline = std::chrono::steady_clock::now() + allowed;
  for (std::size_t left = calls.size(); left > 0;) {
    left = 0;
    const bool late = std::chrono::steady_clock::now() > deadline;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (pids[i] == 0) continue;
      int wstatus = 0;
      pid_t ended = waitpid(pids[i], &wstatus, WNOHANG);
      if (ended == 0 && late) {
        results[i].timedOut = true;
        kill(pids[i], SIGKILL);
        ended = waitpid(pids[i], &wstatus, 0);
      }
      if (ended == 0) {
        ++left;
        continue;
      }
      pids[i] = 0;
      if (ended < 0) continue;
      if (WIFSIGNALED(wstatus)) results[i].signal = WTERMSIG(wstatus);
      results[i].status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    if (left > 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  for (std::size_t i = 0; i < calls.size(); ++i) {
    HostRun& result = results[i];
    result.out = readFile(folders[i] / "out.txt");
    result.err = readFile(folders[i] / "err.txt");
    std::istringstream lines(result.out);
    for (std::string line; jsonLines && std::getline(lines, line);) {
      nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
      EXPECT_FALSE(parsed.is_discarded()) << "not a JSON line: " << line;
      result.lines.push_back(parsed);
    }
    fs::remove_all(folders[i]);
  }
  return results;
}

HostRun runPdeHost(const fs::path& program, const fs::path& dir, const std::vector<std::string>& args,
                   const std::string& script, bool jsonLines) {
  return std::move(runPdeHostTogether(program, dir, {{args, script}}, jsonLines).front());
}

void expectExit(const HostRun& run, int status, const std::vector<std::string>& parts) {
  EXPECT_FALSE(run.timedOut) << "still running, killed";
  EXPECT_EQ(run.signal, 0) << "ended by signal " << run.signal << "\n" << run.err;
  for (const char* mark : {"Sanitizer", "runtime error:", "terminate called", "what():"})
    EXPECT_EQ(run.err.find(mark), std::string::npos) << run.err;
  EXPECT_EQ(run.status, status) << run.err;
  for (const auto& part : parts)
    EXPECT_NE(run.err.find(part), std::string::npos) << "no \"" << part << "\" in " << run.err;
}

std::vector<HostRun> expectEndings(const fs::path& program, const fs::path& dir, const std::vector<Ending>& cases) {
  std::vector<HostCall> calls;
  for (const Ending& c : cases) calls.push_back(c.call);
  std::vector<HostRun> runs = runPdeHostTogether(program, dir, calls);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    expectExit(runs[i], cases[i].status, cases[i].message);
    if (cases[i].status == 3) {
      EXPECT_EQ(runs[i].out, "");
    }
  }
  return runs;
}

}  // namespace pdehost_test
