#include "bundle/bundle_resources.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;

TEST(BundleResources, FindsTheBundleFromTheExecutablePath) {
  EXPECT_EQ(bundleDirectoryForExecutable("/opt/Onboarder.app/Contents/MacOS/Onboarder"), fs::path("/opt/Onboarder.app"));
  EXPECT_EQ(bundleDirectoryForExecutable("/x/./A.app/Contents/MacOS/../MacOS/Onboarder"), fs::path("/x/A.app"));
  for (const char* outside : {"/usr/bin/Onboarder", "/opt/Onboarder/Contents/MacOS/Onboarder",
                              "/opt/A.app/Contents/Linux/Onboarder", "/opt/A.app/MacOS/Onboarder",
                              "/.app/Contents/MacOS/Onboarder"}) {
    EXPECT_FALSE(bundleDirectoryForExecutable(outside)) << outside;
  }
}

TEST(BundleResources, ResourcesOnlyWhenTheFolderExists) {
  const test::TempDir dir;
  const fs::path& root = dir.path();
  const fs::path exe = root / "Onboarder.app/Contents/MacOS/Onboarder";
  fs::create_directories(exe.parent_path());
  EXPECT_FALSE(resourcesDirectoryForExecutable(exe));
  fs::create_directories(root / "Onboarder.app/Contents/Resources");
  EXPECT_EQ(resourcesDirectoryForExecutable(exe), root / "Onboarder.app/Contents/Resources");
  fs::remove_all(root / "Onboarder.app/Contents/Resources");
  std::ofstream(root / "Onboarder.app/Contents/Resources") << "a file, not a folder";
  EXPECT_FALSE(resourcesDirectoryForExecutable(exe));
}

TEST(BundleResources, TheTestProgramIsNotInABundle) {
  const auto self = runningExecutable();
  ASSERT_TRUE(self.has_value());
  EXPECT_TRUE(self->is_absolute());
  EXPECT_EQ(self->filename(), "setup_unit_tests");
  EXPECT_FALSE(findResourcesDirectory());
}

}  // namespace
}  // namespace qvx
