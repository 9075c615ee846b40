#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "toolkit/whole_file.h"

namespace toolkit {
namespace {

// A descriptor closed when this goes.
struct ReadDescriptor {
  int fd = -1;
  ~ReadDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Opens `path` for reading without waiting for a writer (a FIFO) or a
// terminal; `*why` says why it is not a regular file that can be read.
// Refused after opening, on what was opened, so nothing can be swapped in
// between the look and the read.
int openRegular(const std::filesystem::path& path, std::string_view cannotOpen, struct stat* info,
                std::string* why) {
  if (path.empty()) {
    *why = "the file name is empty";
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *why = path.string() + (errno == EISDIR ? ": is a folder, not a file" : ": " + std::string(cannotOpen));
    return -1;
  }
  if (::fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
    const bool folder = S_ISDIR(info->st_mode);
    ::close(fd);
    *why = path.string() + (folder ? ": is a folder, not a file" : ": is not a regular file (a device, a FIFO or a socket)");
    return -1;
  }
  return fd;
}

}  // namespace

int openRegularFile(const std::filesystem::path& path, std::string* error, const ReadRules& rules) {
  struct stat info {};
  std::string why;
  ReadDescriptor file{openRegular(path, rules.cannotOpen, &info, &why)};
  if (file.fd >= 0 && static_cast<std::uintmax_t>(info.st_size) > rules.largest)
    why = path.string() + ": " + std::string(rules.tooLarge);
  else if (file.fd >= 0 && ::fcntl(file.fd, F_SETFL, 0) == 0)
    return std::exchange(file.fd, -1);
  else if (file.fd >= 0)
    why = path.string() + ": cannot be read: " + std::generic_category().message(errno);
  if (error != nullptr) *error = why;
  return -1;
}

std::optional<std::string> whyNotARegularFile(const std::filesystem::path& path) {
  struct stat info {};
  std::string why;
  ReadDescriptor file{openRegular(path, "cannot be opened", &info, &why)};
  if (file.fd < 0) return why;
  return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string* error,
                                         const ReadRules& rules) {
  auto fail = [&](std::string why) -> std::optional<std::string> {
    if (error != nullptr) *error = std::move(why);
    return std::nullopt;
  };
  struct stat info {};
  std::string why;
  ReadDescriptor file{openRegular(path, rules.cannotOpen, &info, &why)};
  if (file.fd < 0) return fail(why);
  const std::string tooLarge = path.string() + ": " + std::string(rules.tooLarge);
  if (static_cast<std::uintmax_t>(info.st_size) > rules.largest) return fail(tooLarge);
  // The size is only a hint: the file may grow while it is read, so the
  // limit is checked against what was read, one byte past it.
  std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t done = 0;
  for (;;) {
    if (done == text.size()) {
      if (done > rules.largest) return fail(tooLarge);
      text.resize(std::min<std::uintmax_t>(text.size() * 2, rules.largest + 1));
    }
    const ssize_t n = ::read(file.fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(path.string() + ": cannot be read: " + std::generic_category().message(errno));
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done > rules.largest) return fail(tooLarge);
  text.resize(done);
  return text;
}

}  // namespace toolkit
