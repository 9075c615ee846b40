#include "bundle/bundle_resources.h"

#include <system_error>

#include "bundle_path/bundle_path.h"

namespace qvx {

namespace fs = std::filesystem;

std::optional<fs::path> bundleDirectoryForExecutable(const fs::path& executable) {
  return bundle_path::bundleOfExecutable(executable, ".app");
}

std::optional<fs::path> resourcesDirectoryForExecutable(const fs::path& executable) {
  const auto bundle = bundleDirectoryForExecutable(executable);
  if (!bundle) return std::nullopt;
  const fs::path resources = bundle_path::resourcesFolder(*bundle);
  std::error_code error;
  if (!fs::is_directory(resources, error)) return std::nullopt;
  return resources;
}

std::optional<fs::path> runningExecutable() { return bundle_path::runningExecutable(); }

std::optional<fs::path> findBundleDirectory() {
  const auto self = runningExecutable();
  return self ? bundleDirectoryForExecutable(*self) : std::nullopt;
}

std::optional<fs::path> findResourcesDirectory() {
  const auto self = runningExecutable();
  return self ? resourcesDirectoryForExecutable(*self) : std::nullopt;
}

}  // namespace qvx
