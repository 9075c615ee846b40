#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "toolkit/whole_file.h"

namespace toolkit {

std::string writeFailureCause(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
      return "the disk is full";
    case EFBIG:
      return "the file-size limit was reached";
    case EROFS:
      return "the folder is read-only";
    case EACCES:
    case EPERM:
      return "the folder cannot be written";
    default:
      return std::generic_category().message(errorNumber);
  }
}

std::string temporaryNameBeside(const std::filesystem::path& target) {
  constexpr std::size_t kLongestName = 255;
  const std::string suffix = ".XXXXXX";
  std::string stem = target.filename().string();
  const std::size_t room = kLongestName - suffix.size() - 1;  // the leading "."
  if (stem.size() > room) stem.resize(room);
  return "." + stem + suffix;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view text, std::string* error,
                         mode_t mode) {
  auto fail = [&](int cause) {
    // A folder that is not there says so by the name alone.
    if (error != nullptr)
      *error = path.string() + ": cannot be written" + (cause == ENOENT ? "" : ": " + writeFailureCause(cause));
    return false;
  };
  if (path.empty()) {
    if (error != nullptr) *error = "the file name is empty";
    return false;
  }
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) {
      if (error != nullptr) *error = path.string() + ": is a folder, not a file";
      return false;
    }
    if (!S_ISREG(old.st_mode)) {
      if (error != nullptr) *error = path.string() + ": is not a regular file (a device, a FIFO or a socket)";
      return false;
    }
    mode = old.st_mode & 07777;
  }
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string temporary = (folder / temporaryNameBeside(path)).string();
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return fail(errno);
  int cause = 0;
  for (std::size_t done = 0; cause == 0 && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) cause = n < 0 ? errno : ENOSPC;
    else done += static_cast<std::size_t>(n);
  }
  if (cause == 0 && ::fchmod(fd, mode) != 0) cause = errno;
  if (cause == 0 && ::fsync(fd) != 0) cause = errno;
  if (::close(fd) != 0 && cause == 0) cause = errno;
  if (cause == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) cause = errno;
  if (cause != 0) {
    ::unlink(temporary.c_str());
    return fail(cause);
  }
  // The rename itself reaches the disk with the folder.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace toolkit
