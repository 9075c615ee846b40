// A child process over POSIX: posix_spawn, and one monitor thread that reads
// standard output from a pipe, learns of the exit from a pidfd and reaps the
// child by its process id.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qvx {

class Process {
 public:
  // Called with each chunk of output as it arrives, on the reader thread, one
  // call at a time; an empty chunk means end of output.
  using OutputHandler = std::function<void(std::string_view chunk)>;
  // Called once after the child has exited and its reader has stopped, with the
  // exit status, or the signal number for a child ended by a signal.
  using TerminationHandler = std::function<void(int status)>;

  Process();
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  void setExecutable(std::string path);
  void setArguments(std::vector<std::string> arguments);
  // The child's entire environment.
  void setEnvironment(std::map<std::string, std::string> environment);
  // With a handler the child's standard output is a new pipe read by it;
  // without, standard output goes to the null device.
  void setOutputHandler(OutputHandler handler);
  void setTerminationHandler(TerminationHandler handler);

  // Starts the child: standard error to the null device, standard input and
  // working directory inherited, no other descriptor of ours, default signal
  // mask and dispositions. Returns false (with a reason) if it did not start;
  // then no handler is ever called. A process launches at most once.
  bool launch(std::string* error = nullptr);

  bool isLaunched() const;
  pid_t processIdentifier() const;
  // True once the child has exited and been reaped.
  bool hasExited() const;
  // The exit status, or the signal number; 0 until the child has exited.
  int terminationStatus() const;

 private:
  // The shared state of a launched child; outlives this object while the child
  // runs, so dropping a Process neither stops nor waits for the child.
  struct Run;

  std::string executable_;
  std::vector<std::string> arguments_;
  std::map<std::string, std::string> environment_;
  OutputHandler outputHandler_;
  TerminationHandler terminationHandler_;
  std::shared_ptr<Run> run_;
};

}  // namespace qvx
