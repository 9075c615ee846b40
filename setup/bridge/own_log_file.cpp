#include "bridge/own_log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvx {

namespace {

bool regularAndMine(const struct stat& info) { return S_ISREG(info.st_mode) && info.st_uid == ::getuid(); }

}  // namespace

bool isOwnRegularFile(const std::filesystem::path& path) {
  struct stat named;
  if (::lstat(path.c_str(), &named) != 0 || !regularAndMine(named)) return false;
  // The name may have changed since: check the file actually reached, without
  // following a link that may have been put there meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat opened;
  const bool same = ::fstat(fd, &opened) == 0 && regularAndMine(opened) && opened.st_dev == named.st_dev &&
                    opened.st_ino == named.st_ino;
  ::close(fd);
  return same;
}

}  // namespace qvx
