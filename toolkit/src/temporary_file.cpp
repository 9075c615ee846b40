#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "toolkit/whole_file.h"

namespace toolkit {

std::filesystem::path temporaryFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

TemporaryFile TemporaryFile::adopt(std::filesystem::path path) {
  TemporaryFile file;
  file.path_ = std::shared_ptr<const std::filesystem::path>(new std::filesystem::path(std::move(path)),
                                                            [](const std::filesystem::path* p) {
                                                              ::unlink(p->c_str());
                                                              delete p;
                                                            });
  return file;
}

TemporaryFile TemporaryFile::create(const std::filesystem::path& folder, const std::string& stem,
                                    std::string_view text, std::string* error) {
  std::string pattern = (folder / (stem + "-XXXXXX")).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    if (error != nullptr) *error = "no temporary file can be made in " + folder.string() + ": " + writeFailureCause(errno);
    return {};
  }
  TemporaryFile file = adopt(pattern);
  int cause = 0;
  for (std::size_t done = 0; cause == 0 && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) cause = n < 0 ? errno : ENOSPC;
    else done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0 && cause == 0) cause = errno;
  if (cause != 0) {
    if (error != nullptr) *error = "a temporary file in " + folder.string() + " cannot be written: " + writeFailureCause(cause);
    return {};
  }
  return file;
}

const std::filesystem::path& TemporaryFile::path() const {
  static const std::filesystem::path none;
  return path_ != nullptr ? *path_ : none;
}

}  // namespace toolkit
