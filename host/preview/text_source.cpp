#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "page_source.h"

extern char** environ;

namespace pdehost::preview {
namespace {

// Where CUPS' filter front end is; the package cups-filters brings the text
// filter it runs.
constexpr const char* kCupsFilter = "/usr/sbin/cupsfilter";

// The whole of an open file from its start.
std::string readAll(int fd) {
  std::string bytes;
  char buffer[65536];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

// Runs the filter with its output in `outputFd`; its exit status, or -1.
int runFilter(const std::vector<std::string>& arguments, int outputFd) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  // A GTK program ignores SIGPIPE; the filters expect the default.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::unique_ptr<PageSource> openText(const std::filesystem::path& path, const PreviewJob& job, std::string* message) {
  const std::string what = "The text file " + path.filename().string();
  std::vector<std::string> arguments = {kCupsFilter, "-m", "application/pdf"};
  if (!job.ppdPath.empty()) {
    arguments.insert(arguments.end(), {"-p", job.ppdPath.string()});
    if (!job.paper.name.empty()) arguments.insert(arguments.end(), {"-o", "PageSize=" + job.paper.name});
  }
  arguments.push_back(path.string());

  // The filter's output goes to a file that has no name from the start.
  const char* folder = std::getenv("TMPDIR");
  const int output = open(folder && *folder ? folder : "/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (output < 0) {
    if (message) *message = what + " cannot be laid out: no temporary file (" + std::strerror(errno) + "). It still prints.";
    return nullptr;
  }
  const int status = runFilter(arguments, output);
  std::string pdf = status == 0 ? readAll(output) : std::string();
  close(output);
  if (pdf.empty()) {
    if (message) {
      *message = what + " cannot be laid out by CUPS' text filter" +
                 (status < 0 ? std::string(" (") + kCupsFilter + " did not run)" : std::string()) + ". It still prints.";
    }
    return nullptr;
  }
  return openPdfBytes(std::move(pdf), what, message);
}

std::unique_ptr<PageSource> openDocument(const PreviewDocument& document, const PreviewJob& job, std::string* message) {
  // A FIFO or a device would keep the readers waiting for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(document.path, error)) {
    if (message) {
      *message = document.path.filename().string() +
                 (std::filesystem::exists(document.path, error) ? " is not a regular file" : " does not exist") +
                 " and cannot be shown.";
    }
    return nullptr;
  }
  const int readable = open(document.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (readable < 0) {
    if (message) *message = document.path.filename().string() + " cannot be read (" + std::strerror(errno) + ").";
    return nullptr;
  }
  close(readable);
  switch (document.type) {
    case DocumentType::Pdf:
      return openPdf(document.path, message);
    case DocumentType::PostScript:
      return openPostScript(document.path, message);
    case DocumentType::Image:
      return openImage(document.path, job.paper, message);
    case DocumentType::Text:
      return openText(document.path, job, message);
  }
  return nullptr;
}

}  // namespace pdehost::preview
