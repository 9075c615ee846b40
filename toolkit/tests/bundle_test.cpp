#include "toolkit/bundle.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>

#include "temp_dir.h"
#include "toolkit/controls.h"

namespace toolkit {
namespace {
namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class BundleTest : public testing::Test {
 protected:
  void SetUp() override {
    bundlePath_ = root_ / "Sample.plugin";
    fs::create_directories(bundlePath_ / "Contents" / "MacOS");
    write(resources() / "en.lproj" / "Localizable.strings",
          "\"Image Quality\" = \"Image Quality\";\n\"Color Mode\" = \"Colour mode\";\n"
          "\"Lock Settings\" = \"Lock settings\";\n");
    write(resources() / "de.lproj" / "Localizable.strings", "\"Color Mode\" = \"Farbmodus\";\n");
    write(resources() / "en.lproj" / "Broken.strings", "\"a\" = \"b\"\n\"c\" = \"d\";\n");
    write(resources() / "Layout.json",
          R"({"views": [{"class": "View", "outlet": "panelView", "subviews": [
                {"class": "PopUpButton", "outlet": "colorModePopup", "action": "colorModeProc:"}]}]})");
    write(resources() / "Bad.json", R"({"views": [{"class": "View", "frame": [1]}]})");
  }
  fs::path resources() const { return bundlePath_ / "Contents" / "Resources"; }

  qvx::test::TempDir dir_;
  const fs::path& root_ = dir_.path();
  fs::path bundlePath_;
};

class BundleOwner : public LayoutOwner {
 public:
  bool setOutlet(std::string_view name, const std::shared_ptr<View>& view) override {
    outlets[std::string(name)] = view;
    return name != "colorModePopup" || dynamic_cast<PopUpButton*>(view.get()) != nullptr;
  }
  bool performAction(std::string_view, View*) override { return true; }
  bool respondsToAction(std::string_view action) const override { return action == "colorModeProc:"; }
  std::map<std::string, std::shared_ptr<View>> outlets;
};

TEST_F(BundleTest, OneInstancePerDirectory) {
  auto a = Bundle::bundleWithPath(bundlePath_);
  auto b = Bundle::bundleWithPath(bundlePath_ / "Contents" / "..");
  ASSERT_TRUE(a);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->bundlePath(), fs::canonical(bundlePath_));
  EXPECT_FALSE(Bundle::bundleWithPath(root_ / "missing"));
  EXPECT_FALSE(Bundle::bundleWithPath(resources() / "Layout.json"));
}

// Looks each key up with its fallback value and table: {key, value, table, expected}.
void expectLookups(Bundle& bundle, const std::vector<std::array<const char*, 4>>& rows) {
  for (const auto& [key, value, table, expected] : rows)
    EXPECT_EQ(bundle.localizedStringForKey(key, value, table), expected) << key << " in \"" << table << "\"";
}

TEST_F(BundleTest, LocalizedStringsWithFallbacks) {
  auto bundle = Bundle::bundleWithPath(bundlePath_);
  expectLookups(*bundle, {{"Color Mode", "", "", "Colour mode"}, {"Image Quality", "", "", "Image Quality"},
                          {"Unknown", "", "", "Unknown"}, {"Unknown", "Fallback", "", "Fallback"},
                          {"Color Mode", "", "Localizable", "Colour mode"}});
  EXPECT_TRUE(bundle->problems().empty());
}

TEST_F(BundleTest, MalformedOrMissingTablesGiveTheKeyAndAreReportedOnce) {
  auto bundle = Bundle::bundleWithPath(bundlePath_);
  expectLookups(*bundle, {{"c", "", "Broken", "c"}, {"a", "", "Broken", "a"}, {"a", "", "Absent", "a"},
                          {"Color Mode", "", "../en.lproj/Localizable", "Color Mode"}});
  auto problems = bundle->problems();
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("Broken.strings: line 2: expected \";\""), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("\"Absent\" is missing"), std::string::npos) << problems[1];
}

TEST_F(BundleTest, LoadsALayoutWithItsOwner) {
  auto bundle = Bundle::bundleWithPath(bundlePath_);
  BundleOwner owner;
  std::vector<std::shared_ptr<View>> top;
  ASSERT_TRUE(bundle->loadNibNamed("Layout", &owner, &top));
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(owner.outlets.at("panelView"), top[0]);
  auto popup = std::dynamic_pointer_cast<PopUpButton>(owner.outlets.at("colorModePopup"));
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->target(), &owner);
  // Without a top-level list the owner's outlets keep the views.
  BundleOwner second;
  ASSERT_TRUE(bundle->loadNibNamed("Layout", &second, nullptr));
  EXPECT_EQ(second.outlets.at("colorModePopup")->superview(), second.outlets.at("panelView").get());
  EXPECT_TRUE(bundle->problems().empty());
}

TEST_F(BundleTest, MissingOrMalformedLayoutsAreReported) {
  auto bundle = Bundle::bundleWithPath(bundlePath_);
  BundleOwner owner;
  EXPECT_FALSE(bundle->loadNibNamed("Bad", &owner, nullptr));
  EXPECT_FALSE(bundle->loadNibNamed("Color6", &owner, nullptr));
  EXPECT_FALSE(bundle->loadNibNamed("../Bad", &owner, nullptr));
  EXPECT_TRUE(owner.outlets.empty());
  auto problems = bundle->problems();
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("Bad.json: /views/0/frame: expected [x, y, width, height]"), std::string::npos)
      << problems[0];
  EXPECT_NE(problems[1].find("layout \"Color6\" is missing"), std::string::npos) << problems[1];
}

TEST_F(BundleTest, PreferredLocalizationComesFromTheEnvironment) {
  // Bundle instances read the environment when made: make a fresh one.
  const char* saved = getenv("LANGUAGE");
  std::string savedValue = saved != nullptr ? saved : "";
  setenv("LANGUAGE", "de_AT:fr", 1);
  Bundle german(bundlePath_);
  if (saved != nullptr) setenv("LANGUAGE", savedValue.c_str(), 1); else unsetenv("LANGUAGE");
  const auto& order = german.preferredLocalizations();
  ASSERT_GE(order.size(), 5u);
  EXPECT_EQ(order[0], "de_AT");
  EXPECT_EQ(order[1], "de");
  EXPECT_EQ(order[2], "fr");
  EXPECT_EQ(order[order.size() - 2], "en");
  EXPECT_EQ(order.back(), "Base");
  EXPECT_EQ(german.localizedStringForKey("Color Mode", "", ""), "Farbmodus");
  // A key the German table lacks comes from the development table, key by
  // key; a key no table has is the key itself.
  EXPECT_EQ(german.localizedStringForKey("Lock Settings", "", ""), "Lock settings");
  EXPECT_EQ(german.localizedStringForKey("Unknown", "", ""), "Unknown");
  EXPECT_TRUE(german.problems().empty());
}

TEST(BundleForAddress, FindsTheBundleHoldingALoadedLibrary) {
  void* handle = dlopen(TOOLKIT_PROBE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  using Probe = const Bundle* (*)();
  auto probe = reinterpret_cast<Probe>(dlsym(handle, "toolkit_probe_bundle"));
  ASSERT_NE(probe, nullptr);
  const Bundle* bundle = probe();
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle->bundlePath(), fs::canonical(TOOLKIT_PROBE_BUNDLE));
  EXPECT_EQ(bundle->localizedStringForKey("Probe", "", ""), "Found");
  // A library outside any bundle (the test itself) has none.
  static int local = 0;
  EXPECT_EQ(Bundle::bundleForAddress(&local), nullptr);
  EXPECT_EQ(Bundle::bundleForAddress(nullptr), nullptr);
  dlclose(handle);
}

}  // namespace
}  // namespace toolkit
