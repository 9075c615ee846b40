#include "bundle_path/bundle_path.h"

#include <system_error>

namespace qvx::bundle_path {

namespace fs = std::filesystem;

fs::path executablesFolder(const fs::path& bundle) { return bundle / "Contents" / "MacOS"; }

fs::path resourcesFolder(const fs::path& bundle) { return bundle / "Contents" / "Resources"; }

std::optional<fs::path> bundleOfExecutable(const fs::path& executable, std::string_view extension) {
  const fs::path clean = executable.lexically_normal();
  const fs::path macos = clean.parent_path();
  const fs::path contents = macos.parent_path();
  const fs::path bundle = contents.parent_path();
  if (clean.filename().empty() || macos.filename() != "MacOS" || contents.filename() != "Contents" ||
      bundle.filename().empty()) {
    return std::nullopt;
  }
  if (!extension.empty() && (bundle.extension() != extension || bundle.stem().empty())) return std::nullopt;
  return bundle;
}

std::optional<fs::path> runningExecutable() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error || !self.is_absolute()) return std::nullopt;
  return self.lexically_normal();
}

}  // namespace qvx::bundle_path
