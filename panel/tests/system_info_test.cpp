#include "system_info.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace {

std::string plist(const std::string& version) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
         "\t<key>ProductName</key>\n\t<string>Mac OS X</string>\n"
         "\t<key>ProductVersion</key>\n\t<string>" + version + "</string>\n</dict>\n</plist>\n";
}

TEST(SystemVersion, StoresEachComponentPresent) {
  qvx::test::TempDir dir;
  std::int32_t major = -1, minor = -1, patch = -1;
  getSystemVersionFromFile(dir.write("a.plist", plist("10.6.8")), &major, &minor, &patch);
  EXPECT_EQ(major, 10);
  EXPECT_EQ(minor, 6);
  EXPECT_EQ(patch, 8);

  major = minor = patch = -1;
  getSystemVersionFromFile(dir.write("b.plist", plist("11.2")), &major, &minor, &patch);
  EXPECT_EQ(major, 11);
  EXPECT_EQ(minor, 2);
  EXPECT_EQ(patch, -1);  // missing component: the caller's value stands

  major = minor = patch = 7;
  getSystemVersionFromFile(dir.path() / "absent.plist", &major, &minor, &patch);
  EXPECT_EQ(major, 7);
  EXPECT_EQ(minor, 7);
  EXPECT_EQ(patch, 7);

  getSystemVersionFromFile(dir.write("c.plist", plist("x.5b")), &major, &minor, &patch);
  EXPECT_EQ(major, 0);  // not a number: its integer value is 0
  EXPECT_EQ(minor, 5);
}

TEST(SystemVersion, LeopardIsAnythingAbove10_4) {
  EXPECT_FALSE(versionIsLeopardOrLater(10, 4));
  EXPECT_FALSE(versionIsLeopardOrLater(9, 9));
  EXPECT_TRUE(versionIsLeopardOrLater(10, 5));
  EXPECT_TRUE(versionIsLeopardOrLater(11, 0));
}

TEST(SystemVersion, WithoutTheFileTheDefaultsStand) {
  if (std::filesystem::exists(kSystemVersionPlistPath)) GTEST_SKIP() << "system version file present";
  EXPECT_FALSE(runningOnLeopardOrLater());
}

TEST(SystemIcons, PadlocksAt18Points) {
  const SystemIcon unlocked = initWithSystemIconType(0x756C636B);
  EXPECT_EQ(unlocked.name, "changes-allow");
  EXPECT_EQ(unlocked.width, 18);
  EXPECT_EQ(unlocked.height, 18);
  EXPECT_EQ(initWithSystemIconType(0x6C6F636B).name, "changes-prevent");
  EXPECT_EQ(initWithSystemIconType(0x54455854).name, "text-x-generic");
}

TEST(SystemEncoding, EastAsianEncodingsAreNotWindowsLatin1) {
  for (std::uint32_t e : {kSystemEncodingMacJapanese, kSystemEncodingMacChineseTrad, kSystemEncodingMacKorean,
                          kSystemEncodingMacChineseSimp}) {
    EXPECT_FALSE(encodingWindowsLatin1For(e)) << e;
  }
  for (std::uint32_t e : {0u, 4u, 24u, 26u, 0x600u}) EXPECT_TRUE(encodingWindowsLatin1For(e)) << e;
  EXPECT_EQ(systemTextEncodingForCodeset("eucJP"), kSystemEncodingMacRoman);  // only exact codeset names
  EXPECT_EQ(systemTextEncodingForCodeset("EUC-JP"), kSystemEncodingMacJapanese);
  EXPECT_EQ(systemTextEncodingForCodeset("gb18030"), kSystemEncodingMacChineseSimp);
  EXPECT_EQ(systemTextEncodingForCodeset("UTF-8"), kSystemEncodingMacRoman);
}

}  // namespace
