// pdehost given what it cannot use: bundles, descriptions, settings files
// and scripts that are missing, malformed or out of range. Each must end
// with the documented exit status and a message naming the problem, or with
// a JSON error line while the script runs on; never with a signal, a
// sanitizer report, an uncaught exception or a hang.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pde/plugin_protocol.h"
#include "pdehost_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using pdehost_test::Ending;
using pdehost_test::expectExit;
using pdehost_test::HostCall;
using pdehost_test::HostRun;
using pdehost_test::readFile;

// Exit statuses as the README lists them.
constexpr int kDone = 0;
constexpr int kWrongScriptLine = 1;
constexpr int kCannotLoad = 3;
constexpr int kNoPanel = 4;
constexpr int kCommandFailed = 5;

const std::string kNotRegular = ": is not a regular file (a device, a FIFO or a socket)";

// A script line and the error its JSON line carries.
struct Refusal {
  std::string line, error;
};

std::string scriptOf(const std::vector<Refusal>& refusals) {
  std::string script;
  for (const Refusal& r : refusals) script += r.line + "\n";
  return script;
}

// The JSON lines from `first` on are the refusals, in order.
void expectRefused(const HostRun& r, std::size_t first, const std::vector<Refusal>& refusals) {
  ASSERT_GE(r.lines.size(), first + refusals.size());
  for (std::size_t i = 0; i < refusals.size(); ++i) {
    SCOPED_TRACE(refusals[i].line);
    EXPECT_EQ(r.lines[first + i]["ok"], false);
    EXPECT_EQ(r.lines[first + i]["error"], refusals[i].error);
  }
}

class BadInput : public testing::Test {
 protected:
  // A test may leave the folder unreadable; the folder's removal needs it back.
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
  }

  // Each run starts a whole program, which is slow under the sanitizers,
  // so a test starts its runs together.
  std::vector<HostRun> expectEndings(const std::vector<Ending>& cases) {
    return pdehost_test::expectEndings(PDEHOST_PROGRAM, dir_, cases);
  }
  HostRun runSample(std::vector<std::string> more, const std::string& script) {
    return pdehost_test::runPdeHost(PDEHOST_PROGRAM, dir_, onSample(std::move(more), script).args, script);
  }
  // A run on the built bundle and the sample description, with more arguments.
  static HostCall onSample(std::vector<std::string> more, const std::string& script) {
    std::vector<std::string> args = {"--plugin", TINTPANEL_BUNDLE};
    args.insert(args.end(), more.begin(), more.end());
    return {args, script};
  }
  fs::path write(const std::string& name, const std::string& bytes) { return temp_.write(name, bytes); }
  // A FIFO nobody writes to, and a name for the endless device /dev/zero.
  void makeSpecialFiles(const std::string& fifo, const std::string& zero) {
    ASSERT_EQ(mkfifo((dir_ / fifo).c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir_ / zero);
  }

  qvx::test::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

// --- files named on the command line -------------------------------------

TEST_F(BadInput, PluginBundlesThatCannotBeLoadedAreNamed) {
  fs::create_directories(dir_ / "Plain");
  fs::create_directories(dir_ / "Empty.plugin/Contents/MacOS");
  write("Text.plugin/Contents/MacOS/Text", std::string(4096, 'x') + "\nnot a library\n");
  // Some other shared library: the C maths library this test has loaded.
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::cos)), &info), 0);
  fs::create_directories(dir_ / "Other.plugin/Contents/MacOS");
  fs::copy_file(info.dli_fname, dir_ / "Other.plugin/Contents/MacOS/Other");
  auto bundle = [&](const std::string& name, const std::string& message) {
    return Ending{name, {{"--plugin", (dir_ / name).string()}, "panelName\n"}, kCannotLoad, {name + message}};
  };
  expectEndings({
      bundle("Missing.plugin", ": no such plug-in bundle"),
      bundle("Plain", ": not a plug-in bundle: no library in Contents/MacOS"),
      bundle("Empty.plugin", ": not a plug-in bundle: no library in Contents/MacOS"),
      bundle("Text.plugin", ": the library does not load"),
      bundle("Other.plugin", ": the library exports no pde_plugin_factory"),
  });
}

TEST_F(BadInput, PluginsOfAnotherProtocolVersionAreRefusedBeforeTheirFactoryIsCalled) {
  // Their factories abort: a run that calls one ends by a signal.
  const std::string ours = "; this pdehost speaks version " + std::to_string(pde::kProtocolVersion);
  const std::vector<HostRun> runs = expectEndings({
      {"later", {{"--plugin", Later_PLUGIN}, "panelName\n"}, kNoPanel,
       {"Later.plugin: the plug-in speaks protocol version " + std::to_string(pde::kProtocolVersion + 1) + ours}},
      {"unversioned", {{"--plugin", Unversioned_PLUGIN}, "panelName\n"}, kNoPanel,
       {"Unversioned.plugin: the plug-in reports no protocol version (it exports no pde_plugin_protocol_version)" +
        ours}},
  });
  for (const HostRun& run : runs) EXPECT_EQ(run.out, "");
}

TEST_F(BadInput, DescriptionsThatCannotBeReadOrThatLibcupsRejectsAreNamed) {
  const std::string sample = readFile(SAMPLE_PPD);
  std::mt19937 bytes(8);
  std::string garbage(4096, '\0');
  for (char& c : garbage) c = static_cast<char>(bytes() & 0xFF);
  fs::create_directories(dir_ / "folder.ppd");
  // Without read permission; as root the file stays readable and loads.
  const fs::path locked = write("locked.ppd", sample);
  chmod(locked.c_str(), 0);
  const bool lockedIsReadable = access(locked.c_str(), R_OK) == 0;
  // No content: the file is there already, or not at all.
  auto ppd = [&](const std::string& file, std::optional<std::string> content, std::vector<std::string> message,
                 int status = kCannotLoad) {
    const fs::path path = content ? write(file, *content) : dir_ / file;
    return Ending{file, onSample({"--ppd", path.string()}, "panelName\n"), status, std::move(message)};
  };
  const std::string invalid = ": not a valid printer description";
  makeSpecialFiles("fifo.ppd", "zero.ppd");
  expectEndings({
      ppd("folder.ppd", std::nullopt, {"folder.ppd: is a folder, not a file"}),
      ppd("fifo.ppd", std::nullopt, {"fifo.ppd" + kNotRegular}),
      ppd("zero.ppd", std::nullopt, {"zero.ppd" + kNotRegular}),
      ppd("locked.ppd", std::nullopt, {lockedIsReadable ? "" : "locked.ppd: cannot be opened"},
          lockedIsReadable ? kDone : kCannotLoad),
      ppd("empty.ppd", "", {"empty.ppd" + invalid, "Missing PPD-Adobe-4.x header"}),
      ppd("garbage.ppd", garbage, {"garbage.ppd" + invalid}),
      ppd("text.ppd", "Dear printer,\nplease print nicely.\n",
          {"text.ppd" + invalid, "Missing asterisk in column 1 on line 1"}),
      ppd("headless.ppd", sample.substr(sample.find('\n') + 1),
          {"headless.ppd" + invalid, "Missing PPD-Adobe-4.x header on line 1"}),
      ppd("opengroup.ppd", sample + "*OpenGroup: A\n*OpenGroup: B\n",
          {"opengroup.ppd" + invalid, "OpenGroup without a CloseGroup first on line"}),
  });
}

TEST_F(BadInput, DescriptionsLibcupsReadsPastTheirFaultsLeaveOptionsOut) {
  const std::string sample = readFile(SAMPLE_PPD);
  // An open quote early on swallows the rest of the file: no option of the
  // panel is left, so the factory gives no panel.
  std::string unterminated = sample;
  unterminated.replace(unterminated.find("*FormatVersion: \"4.3\""), 21, "*FormatVersion: \"4.3");
  // An *OpenUI line without its option keyword: that option is missing
  // from the panel, the others are there.
  std::string badOpenUi = sample;
  const auto at = badOpenUi.find("*OpenUI *VMCMode");
  ASSERT_NE(at, std::string::npos);
  badOpenUi.replace(at, badOpenUi.find('\n', at) - at, "*OpenUI");
  const std::vector<HostRun> runs = expectEndings({
      {"unterminated quote",
       onSample({"--ppd", write("unterminated.ppd", unterminated).string()}, "panelName\n"),
       kNoPanel,
       {"gave no panel (nil)"}},
      {"bad OpenUI",
       onSample({"--ppd", write("badopenui.ppd", badOpenUi).string()}, "panelView\nrestore\nsummaryInfo\n"),
       kDone,
       {}},
  });
  ASSERT_EQ(runs[0].lines.size(), 1u);
  EXPECT_EQ(runs[0].lines[0], (json{{"panels", nullptr}}));
  ASSERT_EQ(runs[1].lines.size(), 3u);
  EXPECT_FALSE(runs[1].lines[2]["result"].contains("Color Mode")) << runs[1].lines[2];
  EXPECT_TRUE(runs[1].lines[2]["result"].contains("Print Priority")) << runs[1].lines[2];
}

TEST_F(BadInput, SettingsFilesThatAreNotAJsonObjectOfValuesAreRefused) {
  fs::create_directories(dir_ / "folder.json");
  const std::string deep = std::string(100000, '[');
  // No content: the file is not written.
  auto settings = [&](const std::string& file, std::optional<std::string> content, std::vector<std::string> message) {
    const fs::path path = content ? write(file, *content) : dir_ / file;
    return Ending{file, onSample({"--settings", path.string()}, "settings\n"), kCannotLoad, std::move(message)};
  };
  const std::string invalid = ": not valid JSON";
  makeSpecialFiles("fifo.json", "zero.json");
  expectEndings({
      settings("missing.json", std::nullopt, {"missing.json: cannot be opened"}),
      settings("fifo.json", std::nullopt, {"fifo.json" + kNotRegular}),
      settings("zero.json", std::nullopt, {"zero.json" + kNotRegular}),
      settings("folder.json", std::nullopt, {"folder.json: is a folder, not a file"}),
      settings("empty.json", "", {"empty.json" + invalid, "unexpected end of input"}),
      settings("cut.json", "{\"VMCMode\": \"Gray\", ", {"cut.json" + invalid, "line 1, column 21"}),
      settings("text.json", "\"Gray\"", {"text.json: print settings must be a JSON object"}),
      settings("huge.json", "{\"VMCMode\": -1e400}", {"huge.json" + invalid, "number overflow parsing '-1e400'"}),
      settings("open.json", deep, {"open.json" + invalid, "unexpected end of input"}),
      settings("deep.json", "{\"x\": " + deep + std::string(100000, ']') + "}",
               {"deep.json: values nested deeper than 256 levels"}),
      settings("utf8.json", "{\"VMCMode\": \"Gr\xff\xfey\"}", {"utf8.json" + invalid, "ill-formed UTF-8"}),
  });
}

TEST_F(BadInput, SettingsValuesOfAnyKindLoadAndThoseNotTextsAreWrittenBackAsTheyWere) {
  const std::string nested = std::string(200, '[') + std::string(200, ']');
  const json values = json::parse(R"({"VMCMode": 2, "VMSaveToner": null, "VMCScreen": [true, {"a": 1.5}],
      "big": 99999999999999999999, "nested": )" +
                                  nested + "}");
  // Texts the panel reads as numbers or choices, far out of any range.
  json texts = json::object();
  for (const char* key : {"vemra.print.PrintSettings.co.saveSettings", "vemra.print.PrintSettings.co.kestrel2",
                          "VMCPPriority", "VMCNGray"})
    texts[key] = "-99999999999999999999";
  texts["VMCMode"] = std::string(1 << 20, '9');
  texts["VMCScreen"] = std::string("\0", 1);
  const fs::path out = dir_ / "out.json";
  const std::string script = "panelView\nrestore\nstate\nsummaryInfo\nsave\nsave-settings " + out.string() + "\n";
  const std::vector<HostRun> runs = expectEndings({
      {"values that are not texts",
       onSample({"--settings", write("values.json", values.dump()).string()}, script),
       kDone,
       {}},
      {"texts out of range",
       onSample({"--settings", write("texts.json", texts.dump()).string()}, "panelView\nrestore\nstate\n"),
       kDone,
       {}},
  });
  ASSERT_EQ(runs[0].lines.size(), 6u);
  ASSERT_EQ(runs[1].lines.size(), 3u);
  for (const HostRun& r : runs) {
    EXPECT_EQ(r.lines[1]["result"], true);
    // A mode that is not a text, or out of range, is not taken: the popup shows the default.
    EXPECT_EQ(r.lines[2]["controls"]["colorModePopup"]["selectedIndex"], 0);
  }
  const json written = json::parse(readFile(out), nullptr, false);
  ASSERT_TRUE(written.is_object());
  // Entries the panel does not write stay as they were loaded.
  for (const char* key : {"big", "nested"}) EXPECT_EQ(written[key], values[key]) << key;
  EXPECT_EQ(written["VMSaveToner"], "False");
}

TEST_F(BadInput, ScriptFilesThatCannotBeReadAreNamed) {
  fs::create_directories(dir_ / "scripts");
  makeSpecialFiles("fifo.txt", "zero.txt");
  const std::vector<HostRun> runs = expectEndings({
      {"missing script",
       onSample({(dir_ / "missing.txt").string()}, ""),
       kCannotLoad,
       {"missing.txt: cannot be opened"}},
      {"script folder", onSample({(dir_ / "scripts").string()}, ""), kCannotLoad, {"scripts: is a folder, not a file"}},
      // The last line needs no line feed.
      {"no line feed at the end", onSample({write("last.txt", "panelName\npanelKind").string()}, ""), kDone, {}},
      {"script FIFO", onSample({(dir_ / "fifo.txt").string()}, ""), kCannotLoad, {"fifo.txt" + kNotRegular}},
      {"script device", onSample({(dir_ / "zero.txt").string()}, ""), kCannotLoad, {"zero.txt" + kNotRegular}},
  });
  ASSERT_EQ(runs[2].lines.size(), 2u);
  EXPECT_EQ(runs[2].lines[1]["command"], "panelKind");
}

// --- script lines ---------------------------------------------------------

TEST_F(BadInput, WrongLinesStopTheScriptNamingLineAndCommand) {
  const std::vector<Refusal> wrong = {
      {"frobnicate 1", "unknown command \"frobnicate\""},
      {"select colorModePopup", "select takes OUTLET INDEX"},
      {"slide neutralGraySlider 1 2", "slide takes OUTLET VALUE"},
      {"restore now", "restore takes no arguments"},
      {"print --copies 0 a", "--copies takes a number of copies from 1 to 9999"},
      {"select colorModePopup one", "select: INDEX must be a whole number, not \"one\""},
      {"slide neutralGraySlider 2.5", "slide: VALUE must be a whole number, not \"2.5\""},
      {"segment sampleViewSelectControl -", "segment: INDEX must be a whole number, not \"-\""},
  };
  std::vector<Ending> cases;
  for (const Refusal& w : wrong)
    cases.push_back({w.line,
                     onSample({}, "panelView\nrestore\n" + w.line + "\nstate\n"),
                     kWrongScriptLine,
                     {"stdin:3: " + w.error}});
  const std::vector<HostRun> runs = expectEndings(cases);
  for (std::size_t i = 0; i < runs.size(); ++i)
    EXPECT_EQ(runs[i].lines.size(), 2u) << wrong[i].line << ": the lines after the wrong one ran";
}

TEST_F(BadInput, IndicesAndValuesOutOfRangeAreRefusedAndChangeNothing) {
  // The slider is on the first tab, the segmented control on the colour tab
  // opened between them.
  std::vector<Refusal> onFirstTab;
  for (const char* index :
       {"-1", "3", "9223372036854775807", "-9223372036854775808", "99999999999999999999", "-99999999999999999999"})
    onFirstTab.push_back(
        {"select colorModePopup " + std::string(index), "colorModePopup has no item " + std::string(index)});
  for (const char* value : {"-1", "5", "99999999999999999999", "-9223372036854775808"})
    onFirstTab.push_back({"slide neutralGraySlider " + std::string(value), "neutralGraySlider goes from 0 to 4"});
  std::vector<Refusal> onColourTab;
  for (const char* index : {"-1", "2", "99999999999999999999"})
    onColourTab.push_back({"segment sampleViewSelectControl " + std::string(index),
                           "sampleViewSelectControl has no segment " + std::string(index)});
  HostRun r = runSample(
      {}, "panelView\nrestore\nstate\n" + scriptOf(onFirstTab) + "tab 1\n" + scriptOf(onColourTab) + "state\n");
  expectExit(r, kDone, {"select refused: colorModePopup has no item 99999999999999999999"});
  const std::size_t tabLine = 3 + onFirstTab.size();
  ASSERT_EQ(r.lines.size(), tabLine + 1 + onColourTab.size() + 1);
  ASSERT_EQ(r.lines[tabLine]["result"], true) << "the colour tab must open for the segment lines";
  expectRefused(r, 3, onFirstTab);
  expectRefused(r, tabLine + 1, onColourTab);
  // Nothing moved: each control holds what it held before the refusals
  // (only which tab is in view changed).
  for (const char* outlet : {"colorModePopup", "neutralGraySlider", "sampleViewSelectControl"}) {
    json before = r.lines[2]["controls"][outlet], after = r.lines.back()["controls"][outlet];
    before.erase("visible");
    after.erase("visible");
    EXPECT_EQ(after, before) << outlet;
  }
  EXPECT_EQ(r.lines.back()["panel"], r.lines[2]["panel"]);
}

TEST_F(BadInput, UnknownOutletsAndTabsAreRefusedByName) {
  const std::vector<Refusal> refusals = {
      {"select noSuchPopup 0", "the panel has no control noSuchPopup"},
      {"click noSuchButton", "the panel has no control noSuchButton"},
      {"slide noSuchSlider 1", "the panel has no control noSuchSlider"},
      {"segment noSuchControl 0", "the panel has no control noSuchControl"},
      {"select tonerSaveCB 0", "tonerSaveCB is a Button, not a popup button"},
      {"slide colorModePopup 1", "colorModePopup is a PopUpButton, not a slider"},
      {"tab 9", "mainTabView has no tab \"9\""},
      {"tab \"\"", "mainTabView has no tab \"\""},
      {"tab Caf\u00e9", "mainTabView has no tab \"Caf\u00e9\""},
  };
  HostRun r = runSample({}, "panelView\n" + scriptOf(refusals) + "panelName\n");
  // Text that is UTF-8 is shown as it is.
  expectExit(
      r, kDone,
      {"click refused: the panel has no control noSuchButton", "tab refused: mainTabView has no tab \"Caf\u00e9\""});
  ASSERT_EQ(r.lines.size(), 11u);
  expectRefused(r, 1, refusals);
  EXPECT_EQ(r.lines[10]["result"], "Image Quality");
}

TEST_F(BadInput, NothingIsUsedBeforeThePanelViewAndRestoreEarlyIsHarmless) {
  // Before anything has loaded the layout, and again after restore has.
  const std::string notShown = "the panel is not shown (no panelView yet)";
  std::vector<Refusal> afterRestore;
  for (const char* line : {"select colorModePopup 1", "click tonerSaveCB", "slide neutralGraySlider 1",
                           "segment sampleViewSelectControl 1", "tab 1", "show"})
    afterRestore.push_back({line, notShown});
  HostRun r =
      runSample({}, "tab 1\nrestore\n" + scriptOf(afterRestore) + "panelView\nrestore\nselect colorModePopup 1\n");
  expectExit(r, kDone, {"tab refused: " + notShown});
  ASSERT_EQ(r.lines.size(), 11u);
  expectRefused(r, 0, {{"tab 1", notShown}});
  EXPECT_EQ(r.lines[1]["result"], true);
  expectRefused(r, 2, afterRestore);
  EXPECT_EQ(r.lines[10]["ok"], true);
  EXPECT_EQ(r.lines[10]["title"], "Full Color");
}

TEST_F(BadInput, LinesWithOddBytesOrOfAMegabyteAreShownReadably) {
  const std::string megabyte(1 << 20, 'x');
  // Standard error writes such bytes as \xNN; the JSON line replaces them
  // and stays valid JSON.
  const std::vector<HostRun> runs = expectEndings({
      {"NUL in a name",
       onSample({}, std::string("panelName\0junk\n", 15)),
       kWrongScriptLine,
       {"stdin:1: unknown command \"panelName\\x00junk\""}},
      {"invalid UTF-8 in a name",
       onSample({},
                "pan\xff"
                "elName\n"),
       kWrongScriptLine,
       {"unknown command \"pan\\xffelName\""}},
      // In lines ended by CR LF.
      {"invalid UTF-8 in an outlet",
       onSample({}, "panelView\r\nselect color\xc3Popup 1\r\nselect colorModePopup 2\r\n"),
       kDone,
       {"the panel has no control color\\xc3Popup"}},
      // The megabyte name is cut short in the message.
      {"long name",
       onSample({}, "panelName\n" + megabyte + "\n"),
       kWrongScriptLine,
       {"stdin:2: unknown command \"xxxx", "(1048594 bytes in all)"}},
      {"long comment and argument", onSample({}, "#" + megabyte + "\npanelName\ntab " + megabyte + "\n"), kDone, {}},
  });
  ASSERT_EQ(runs[2].lines.size(), 3u);
  EXPECT_EQ(runs[2].lines[1]["error"], "the panel has no control color\xef\xbf\xbdPopup");
  EXPECT_EQ(runs[2].lines[2]["title"], "Grayscale");
  EXPECT_LT(runs[3].err.size(), 2000u);
  EXPECT_EQ(runs[3].lines.size(), 1u);
  ASSERT_EQ(runs[4].lines.size(), 2u);
  EXPECT_EQ(runs[4].lines[0]["result"], "Image Quality");
  EXPECT_EQ(runs[4].lines[1]["error"], "the panel is not shown (no panelView yet)");
}

TEST_F(BadInput, PrintAndSaveToPlacesThatCannotBeUsedFailAndTheScriptRunsOn) {
  fs::create_directories(dir_ / "folder");
  const std::string folder = (dir_ / "folder").string();
  const std::string noFolder = (dir_ / "none" / "s.json").string();
  const std::string missing = (dir_ / "missing.ps").string();
  const std::vector<Refusal> refusals = {
      {"save-settings " + folder, folder + ": is a folder, not a file"},
      {"save-settings " + noFolder, noFolder + ": cannot be written"},
      {"print " + folder, folder + ": is a folder, not a file"},
      {"print " + missing, missing + ": cannot be opened"},
      {"save-settings \"\"", "the file name is empty"},
      {"print \"\"", "the file name is empty"},
  };
  const std::vector<HostRun> runs = expectEndings({
      {"unwritable",
       onSample({}, "panelView\nrestore\n" + scriptOf(refusals) + "panelName\n"),
       kCommandFailed,
       {"save-settings refused: " + folder + ": is a folder, not a file"}},
      {"no settings",
       onSample({"--no-settings"}, "save-settings " + (dir_ / "s.json").string() + "\n"),
       kCommandFailed,
       {"the host has no print settings"}},
  });
  ASSERT_EQ(runs[0].lines.size(), 9u);
  expectRefused(runs[0], 2, refusals);
  EXPECT_EQ(runs[0].lines[8]["result"], "Image Quality");
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));
  EXPECT_FALSE(fs::exists(dir_ / "s.json"));
}

TEST_F(BadInput, PrintTakesRegularFilesOnlyAndSendsNothingElse) {
  makeSpecialFiles("fifo.ps", "zero.ps");
  const std::vector<Refusal> refusals = {
      {"print " + (dir_ / "fifo.ps").string(), (dir_ / "fifo.ps").string() + kNotRegular},
      {"print /dev/zero", "/dev/zero" + kNotRegular},
  };
  const std::vector<HostRun> runs = expectEndings({
      {"special files", onSample({}, "panelView\nrestore\n" + scriptOf(refusals)), kCommandFailed, {kNotRegular}},
  });
  expectRefused(runs[0], 2, refusals);
}

// Under a file-size limit smaller than the new settings, the old file stays
// whole and the refusal says why; pdehost is not killed by SIGXFSZ.
TEST_F(BadInput, SaveSettingsBeyondTheFileSizeLimitKeepsTheOldFile) {
  const std::string old = json{{"note", std::string(8000, 'o')}}.dump();
  const fs::path file = write("kept.json", old);
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  rlimit small = before;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::vector<HostRun> runs = expectEndings({
      {"file-size limit",
       onSample({"--settings", file.string()}, "save-settings " + file.string() + "\n"),
       kCommandFailed,
       {file.string() + ": cannot be written: the file-size limit was reached"}},
  });
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(readFile(file), old);
}

}  // namespace
