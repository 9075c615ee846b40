#include "bundle_path/bundle_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qvx::bundle_path {
namespace {

namespace fs = std::filesystem;

struct Shape {
  std::string executable;
  std::string extension;
  std::optional<std::string> bundle;
};

TEST(BundlePath, TheBundleIsTwoFoldersAboveContentsMacOS) {
  const Shape shapes[] = {
      {"/opt/TintPanel.plugin/Contents/MacOS/TintPanel", "", "/opt/TintPanel.plugin"},
      {"/opt/Any/Contents/MacOS/lib.so", "", "/opt/Any"},
      {"/x/./A.app/Contents/MacOS/../MacOS/Onboarder", ".app", "/x/A.app"},
      {"rel/B.app/Contents/MacOS/B", ".app", "rel/B.app"},
      {"/opt/Any/Contents/MacOS/lib.so", ".app", std::nullopt},
      {"/.app/Contents/MacOS/Onboarder", ".app", std::nullopt},
      {"/Contents/MacOS/Onboarder", "", std::nullopt},
      {"/opt/A.app/Contents/Linux/Onboarder", "", std::nullopt},
      {"/opt/A.app/MacOS/Onboarder", "", std::nullopt},
      {"/opt/A.app/Contents/MacOS/", "", std::nullopt},
      {"/usr/bin/pdehost", "", std::nullopt},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.executable + " " + shape.extension);
    const auto found = bundleOfExecutable(shape.executable, shape.extension);
    ASSERT_EQ(found.has_value(), shape.bundle.has_value());
    if (found) {
      EXPECT_EQ(*found, fs::path(*shape.bundle));
    }
  }
}

TEST(BundlePath, TheRunningProgramIsThisTest) {
  const auto self = runningExecutable();
  ASSERT_TRUE(self);
  EXPECT_TRUE(self->is_absolute());
  EXPECT_EQ(self->filename(), "bundle_path_tests");
  EXPECT_EQ(resourcesFolder("/b"), fs::path("/b/Contents/Resources"));
}

}  // namespace
}  // namespace qvx::bundle_path
