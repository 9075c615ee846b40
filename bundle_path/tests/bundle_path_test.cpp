// The bundle rule as the toolkit and pdehost use it, with no name required
// of the bundle; the setup program's ".app" cases are tested with it.
#include "bundle_path/bundle_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qvx::bundle_path {
namespace {

TEST(BundlePath, TheBundleIsTwoFoldersAboveContentsMacOS) {
  const std::pair<std::string, std::optional<std::string>> shapes[] = {
      {"/opt/TintPanel.plugin/Contents/MacOS/TintPanel", "/opt/TintPanel.plugin"},
      {"/opt/Any/Contents/MacOS/../MacOS/./lib.so", "/opt/Any"},
      {"rel/B/Contents/MacOS/B", "rel/B"},
      {"/Contents/MacOS/lib.so", std::nullopt},
      {"/opt/A/Contents/MacOS/", std::nullopt},
      {"/opt/A/Contents/Linux/lib.so", std::nullopt},
      {"/usr/bin/pdehost", std::nullopt},
  };
  for (const auto& [executable, bundle] : shapes) {
    SCOPED_TRACE(executable);
    EXPECT_EQ(bundleOfExecutable(executable), bundle ? std::optional<std::filesystem::path>(*bundle) : std::nullopt);
  }
}

}  // namespace
}  // namespace qvx::bundle_path
