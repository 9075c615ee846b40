#include "launch/window_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "bundle/bundle_resources.h"

namespace qvx {

std::filesystem::path windowProgramBeside(const std::filesystem::path& executable) {
  return executable.parent_path() / kWindowProgramName;
}

void execWindowProgram(char** argv, std::string& error) {
  const auto self = runningExecutable();
  if (!self) {
    error = "cannot find this program's own path";
    return;
  }
  const std::filesystem::path window = windowProgramBeside(*self);
  ::execv(window.c_str(), argv);
  error = window.string() + ": " + std::strerror(errno);
}

}  // namespace qvx
