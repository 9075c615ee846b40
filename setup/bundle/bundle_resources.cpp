#include "bundle/bundle_resources.h"

#include <system_error>

namespace qvx {

namespace fs = std::filesystem;

std::optional<fs::path> bundleDirectoryForExecutable(const fs::path& executable) {
  const fs::path clean = executable.lexically_normal();
  const fs::path macos = clean.parent_path();
  const fs::path contents = macos.parent_path();
  const fs::path bundle = contents.parent_path();
  if (clean.filename().empty() || macos.filename() != "MacOS" || contents.filename() != "Contents" ||
      bundle.extension() != ".app" || bundle.stem().empty()) {
    return std::nullopt;
  }
  return bundle;
}

std::optional<fs::path> resourcesDirectoryForExecutable(const fs::path& executable) {
  const auto bundle = bundleDirectoryForExecutable(executable);
  if (!bundle) return std::nullopt;
  const fs::path resources = *bundle / "Contents" / "Resources";
  std::error_code error;
  if (!fs::is_directory(resources, error)) return std::nullopt;
  return resources;
}

std::optional<fs::path> runningExecutable() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error || !self.is_absolute()) return std::nullopt;
  return self.lexically_normal();
}

std::optional<fs::path> findBundleDirectory() {
  const auto self = runningExecutable();
  return self ? bundleDirectoryForExecutable(*self) : std::nullopt;
}

std::optional<fs::path> findResourcesDirectory() {
  const auto self = runningExecutable();
  return self ? resourcesDirectoryForExecutable(*self) : std::nullopt;
}

}  // namespace qvx
