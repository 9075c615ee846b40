#include "store/preset_store.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace pdehost {
namespace {

namespace fs = std::filesystem;

class PresetStoreTest : public ::testing::Test {
 protected:
  static JsonPrintSettings settingsWith(const std::string& colorMode) {
    JsonPrintSettings settings;
    settings.setValue("VMCMode", colorMode, false);
    return settings;
  }
  void writeFile(const std::string& name, const std::string& text) {
    fs::create_directories(store.folder());
    std::ofstream(store.folder() / name) << text;
  }

  qvx::test::TempDir dir;
  const fs::path& root = dir.path();
  PresetStore store{"/nonexistent", "Vemra LX4200 Color"};
};

TEST_F(PresetStoreTest, AnyNameRoundTripsInAFileOfItsOwn) {
  store = PresetStore(root, "Vemra LX4200 Color");
  const std::vector<std::string> names = {"Proofs – Grayscale, toner save", "../../etc/passwd", "a/b\\c", "%41", "A",
                                          " spaced ", "\"quoted\" \t tab"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string error;
    ASSERT_TRUE(store.save(names[i], settingsWith("C" + std::to_string(i)), false, &error)) << names[i] << error;
  }
  std::vector<std::string> listed;
  for (const PresetEntry& entry : store.list()) {
    EXPECT_FALSE(entry.problem) << *entry.problem;
    EXPECT_EQ(entry.file.parent_path(), store.folder());  // no name leaves the folder
    listed.push_back(entry.name);
  }
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(listed, sorted);
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string error;
    auto loaded = store.load(names[i], &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->toJson(), settingsWith("C" + std::to_string(i)).toJson()) << names[i];
  }
}

TEST_F(PresetStoreTest, NamesThatCannotBeSavedAreRefused) {
  store = PresetStore(root, "M");
  std::string error;
  ASSERT_TRUE(store.save("Proofs", settingsWith("Gray"), false, &error));
  EXPECT_FALSE(store.save("Proofs", settingsWith("Color"), false, &error));
  EXPECT_NE(error.find("exists already"), std::string::npos);
  for (const std::string& bad : {std::string(""), std::string(kDefaultSettingsPreset),
                                 std::string(kLastUsedSettingsPreset), std::string("\xff\xfe"),
                                 std::string(200, '/')})
    EXPECT_FALSE(store.save(bad, settingsWith("Gray"), true, &error)) << bad;
  EXPECT_EQ(store.load("Proofs", &error)->toJson(), settingsWith("Gray").toJson());
  EXPECT_FALSE(store.remove("Nothing", &error));
  EXPECT_EQ(error, "there is no preset named \"Nothing\"");
}

// The limit is in bytes of the file name, and a name at the limit saves:
// its temporary file's name must fit as well.
TEST_F(PresetStoreTest, TheLongestNameSavesAndOneByteMoreIsRefused) {
  store = PresetStore(root, "M");
  std::string error;
  const std::string longest(245, 'a');  // "aaa….json": 250 bytes
  ASSERT_TRUE(store.save(longest, settingsWith("Gray"), false, &error)) << error;
  EXPECT_EQ(store.load(longest, &error)->toJson(), settingsWith("Gray").toJson());
  EXPECT_FALSE(store.save(longest + "a", settingsWith("Gray"), false, &error));
  EXPECT_EQ(error, "the preset name is too long: its file name would take 251 bytes, at most 250");
}

TEST_F(PresetStoreTest, ReplacingGoesThroughANewFileAndLeavesNoneBehind) {
  store = PresetStore(root, "M");
  std::string error;
  ASSERT_TRUE(store.save("Proofs", settingsWith("Gray"), false, &error));
  // What a program that died mid-write leaves: a partial temporary file.
  writeFile(".Proofs.json.Ab12Cd", "{\"VMCMode\": \"Col");
  ASSERT_TRUE(store.save("Proofs", settingsWith("Color"), true, &error)) << error;
  EXPECT_EQ(store.load("Proofs", &error)->toJson(), settingsWith("Color").toJson());
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(store.folder())) files.push_back(entry.path().filename());
  EXPECT_EQ(files.size(), 2u);  // the preset, and the stale file no one lists
  EXPECT_EQ(store.list().size(), 1u);
}

TEST_F(PresetStoreTest, BrokenAndForeignFilesAreListedAsUnusableAndKept) {
  store = PresetStore(root, "M");
  writeFile("notjson.json", "{ nope");
  writeFile("array.json", "[1, 2]");
  writeFile("nameless.json", "{\"VMCMode\": \"Gray\"}");
  writeFile("Elsewhere.json", "{\"qvx.preset.name\": \"Other\"}");
  writeFile("huge.json", "{\"qvx.preset.name\": \"huge\", \"x\": \"" + std::string(2 << 20, 'x') + "\"}");
  fs::create_directories(store.folder() / "folder.json");
  const std::vector<PresetEntry> entries = store.list();
  ASSERT_EQ(entries.size(), 6u);
  for (const PresetEntry& entry : entries) {
    ASSERT_TRUE(entry.problem) << entry.file;
    EXPECT_FALSE(entry.problem->empty());
  }
  std::string error;
  EXPECT_FALSE(store.load("Elsewhere", &error));
  EXPECT_NE(error.find("holds the preset \"Other\""), std::string::npos) << error;
  // A broken file under a name is not overwritten without being asked to.
  writeFile("Proofs.json", "garbage");
  EXPECT_FALSE(store.save("Proofs", settingsWith("Gray"), false, &error));
  std::ifstream kept(store.folder() / "Proofs.json");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "garbage");
}

TEST_F(PresetStoreTest, LastUsedIsKeptPerQueue) {
  store = PresetStore(root, "M");
  std::string error;
  EXPECT_FALSE(store.loadLastUsed("QVX-A", &error));
  EXPECT_TRUE(error.empty());
  ASSERT_TRUE(store.saveLastUsed("QVX-A", settingsWith("Gray"), &error)) << error;
  ASSERT_TRUE(store.saveLastUsed("QVX-B", settingsWith("Color"), &error)) << error;
  EXPECT_EQ(store.loadLastUsed("QVX-A", &error)->toJson(), settingsWith("Gray").toJson());
  EXPECT_TRUE(store.list().empty());  // not among the named presets
}

}  // namespace
}  // namespace pdehost
