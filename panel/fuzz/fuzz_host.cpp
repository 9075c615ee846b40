#include "fuzz_host.h"

#include <sys/mman.h>
#include <unistd.h>


// libcups 2.4 leaks a string of a description that names some keywords twice
// (a second *Manufacturer, say), whether or not it accepts the file. That
// leak is libcups' own, inside its parser: the leak checker of the sanitizer
// builds is told to pass over allocations made there, and nothing else.
extern "C" const char* __lsan_default_suppressions() { return "leak:_ppdOpen\n"; }

namespace panelfuzz {

Description::Description(std::string_view text) {
  // An anonymous in-memory file: libcups reads it like any other, and it
  // vanishes with its last descriptor.
  const int fd = memfd_create("fuzz.ppd", MFD_CLOEXEC);
  if (fd < 0) return;
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n <= 0) {
      ::close(fd);
      return;
    }
    written += static_cast<std::size_t>(n);
  }
  if (::lseek(fd, 0, SEEK_SET) != 0) {
    ::close(fd);
    return;
  }
  ppd_.reset(ppdx::openDescriptor(fd));
  ppdx::markDefaults(ppd_.get());
}

int Settings::getValue(const std::string& key, std::string* value) const {
  auto it = entries.find(key);
  if (it == entries.end()) return pde::kPrintSettingsKeyNotFound;
  *value = it->second;
  return pde::kPrintSettingsNoErr;
}

int Settings::setValue(const std::string& key, const std::string& value, bool /*locked*/) {
  entries[key] = value;
  return pde::kPrintSettingsNoErr;
}

bool Host::willChangePPDOptionKeyValuePpdChoice(const std::string& keyword, const std::string& choice) {
  return constraintHandling_ && ppd_ != nullptr && ppdx::markIfNoNewConflict(ppd_, keyword, choice);
}

}  // namespace panelfuzz
