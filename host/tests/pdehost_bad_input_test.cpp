// pdehost given what it cannot use: bundles, descriptions, settings files
// and scripts that are missing, malformed or out of range. Each must end
// with the documented exit status and a message naming the problem, or with
// a JSON error line while the script runs on; never with a signal, a
// sanitizer report, an uncaught exception or a hang.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pdehost_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using pdehost_test::HostCall;
using pdehost_test::HostRun;
using pdehost_test::readFile;

// Exit statuses as the README lists them.
constexpr int kDone = 0;
constexpr int kWrongScriptLine = 1;
constexpr int kCannotLoad = 3;
constexpr int kNoPanel = 4;
constexpr int kCommandFailed = 5;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class BadInput : public testing::Test {
 protected:
  // A test may leave the folder unreadable; the folder's removal needs it back.
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
  }

  // Each run starts a whole program, which is slow under the sanitizers,
  // so a test starts its runs together.
  std::vector<HostRun> runAll(const std::vector<HostCall>& calls) {
    return pdehost_test::runPdeHostTogether(PDEHOST_PROGRAM, dir_, calls);
  }
  HostRun runSample(std::vector<std::string> more, const std::string& script) {
    return std::move(runAll({onSample(std::move(more), script)}).front());
  }
  // A run on the built bundle and the sample description, with more arguments.
  static HostCall onSample(std::vector<std::string> more, const std::string& script) {
    std::vector<std::string> args = {"--plugin", TINTPANEL_BUNDLE};
    args.insert(args.end(), more.begin(), more.end());
    return {args, script};
  }

  fs::path write(const std::string& name, const std::string& bytes) {
    fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  qvx::test::TempDir temp_;
  const fs::path& dir_ = temp_.path();
};

// The program ended by itself, cleanly, whatever its status.
void expectEndedCleanly(const HostRun& r, const std::string& what) {
  EXPECT_FALSE(r.timedOut) << what << ": still running, killed";
  EXPECT_EQ(r.signal, 0) << what << ": ended by signal " << r.signal << "\n" << r.err;
  for (const char* mark : {"Sanitizer", "runtime error:", "terminate called", "what():"})
    EXPECT_FALSE(contains(r.err, mark)) << what << ": " << r.err;
}

// Ended with `status` and a message on standard error holding each of `parts`.
void expectExit(const HostRun& r, int status, const std::vector<std::string>& parts, const std::string& what) {
  expectEndedCleanly(r, what);
  EXPECT_EQ(r.status, status) << what << "\n" << r.err;
  for (const auto& part : parts) EXPECT_TRUE(contains(r.err, part)) << what << ": no \"" << part << "\" in " << r.err;
}

// --- files named on the command line -------------------------------------

TEST_F(BadInput, PluginBundlesThatCannotBeLoadedAreNamed) {
  struct Case {
    std::string name;
    std::function<fs::path()> make;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"missing folder", [&] { return dir_ / "Missing.plugin"; }, "Missing.plugin: no such plug-in bundle"},
      {"a folder that is no bundle",
       [&] {
         fs::create_directories(dir_ / "Plain");
         return dir_ / "Plain";
       },
       "Plain: not a plug-in bundle: no library in Contents/MacOS"},
      {"library missing",
       [&] {
         fs::create_directories(dir_ / "Empty.plugin/Contents/MacOS");
         return dir_ / "Empty.plugin";
       },
       "Empty.plugin: not a plug-in bundle: no library in Contents/MacOS"},
      {"library a text file",
       [&] {
         fs::create_directories(dir_ / "Text.plugin/Contents/MacOS");
         write("Text.plugin/Contents/MacOS/Text", std::string(4096, 'x') + "\nnot a library\n");
         return dir_ / "Text.plugin";
       },
       "Text.plugin: the library does not load"},
      {"library without the entry point",
       [&] {
         // Some other shared library: the C maths library this test has loaded.
         Dl_info info{};
         EXPECT_NE(dladdr(reinterpret_cast<void*>(static_cast<double (*)(double)>(&::cos)), &info), 0);
         fs::create_directories(dir_ / "Other.plugin/Contents/MacOS");
         fs::copy_file(info.dli_fname, dir_ / "Other.plugin/Contents/MacOS/Other");
         return dir_ / "Other.plugin";
       },
       "Other.plugin: the library exports no pde_plugin_factory"},
  };
  std::vector<HostCall> calls;
  for (const Case& c : cases) calls.push_back({{"--plugin", c.make().string()}, "panelName\n"});
  const std::vector<HostRun> runs = runAll(calls);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    expectExit(runs[i], kCannotLoad, {cases[i].message}, cases[i].name);
    EXPECT_EQ(runs[i].out, "") << cases[i].name;
  }
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

  struct Case {
    std::string file;
    int status;
    std::vector<std::string> message;
  };
  const std::vector<Case> cases = {
      {"folder.ppd", kCannotLoad, {"folder.ppd: is a folder, not a file"}},
      {"locked.ppd", lockedIsReadable ? kDone : kCannotLoad,
       {lockedIsReadable ? "" : "locked.ppd: cannot be opened"}},
      {write("empty.ppd", "").filename(), kCannotLoad,
       {"empty.ppd: not a valid printer description", "Missing PPD-Adobe-4.x header"}},
      {write("garbage.ppd", garbage).filename(), kCannotLoad, {"garbage.ppd: not a valid printer description"}},
      {write("text.ppd", "Dear printer,\nplease print nicely.\n").filename(), kCannotLoad,
       {"text.ppd: not a valid printer description", "Missing asterisk in column 1 on line 1"}},
      {write("headless.ppd", sample.substr(sample.find('\n') + 1)).filename(), kCannotLoad,
       {"headless.ppd: not a valid printer description", "Missing PPD-Adobe-4.x header on line 1"}},
      {write("opengroup.ppd", sample + "*OpenGroup: A\n*OpenGroup: B\n").filename(), kCannotLoad,
       {"opengroup.ppd: not a valid printer description", "OpenGroup without a CloseGroup first on line"}},
  };
  std::vector<HostCall> calls;
  for (const Case& c : cases) calls.push_back(onSample({"--ppd", (dir_ / c.file).string()}, "panelName\n"));
  const std::vector<HostRun> runs = runAll(calls);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    expectExit(runs[i], cases[i].status, cases[i].message, cases[i].file);
    if (cases[i].status != kDone) {
      EXPECT_EQ(runs[i].out, "") << cases[i].file;
    }
  }
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
  const std::vector<HostRun> runs =
      runAll({onSample({"--ppd", write("unterminated.ppd", unterminated).string()}, "panelName\n"),
              onSample({"--ppd", write("badopenui.ppd", badOpenUi).string()}, "panelView\nrestore\nsummaryInfo\n")});

  expectExit(runs[0], kNoPanel, {"gave no panel (nil)"}, "unterminated quote");
  ASSERT_EQ(runs[0].lines.size(), 1u);
  EXPECT_EQ(runs[0].lines[0], (json{{"panels", nullptr}}));

  expectExit(runs[1], kDone, {}, "bad OpenUI");
  ASSERT_EQ(runs[1].lines.size(), 3u);
  EXPECT_FALSE(runs[1].lines[2]["result"].contains("Color Mode")) << runs[1].lines[2];
  EXPECT_TRUE(runs[1].lines[2]["result"].contains("Print Priority")) << runs[1].lines[2];
}

TEST_F(BadInput, SettingsFilesThatAreNotAJsonObjectOfValuesAreRefused) {
  fs::create_directories(dir_ / "folder.json");
  const std::string deep = std::string(100000, '[');
  struct Case {
    std::string file;
    std::optional<std::string> content;  // none: no such file
    std::vector<std::string> message;
  };
  const std::vector<Case> cases = {
      {"missing.json", std::nullopt, {"missing.json: cannot be opened"}},
      {"folder.json", std::nullopt, {"folder.json: is a folder, not a file"}},
      {"empty.json", "", {"empty.json: not valid JSON", "unexpected end of input"}},
      {"cut.json", "{\"VMCMode\": \"Gray\", ", {"cut.json: not valid JSON", "line 1, column 21"}},
      {"text.json", "\"Gray\"", {"text.json: print settings must be a JSON object"}},
      {"huge.json", "{\"VMCMode\": -1e400}", {"huge.json: not valid JSON", "number overflow parsing '-1e400'"}},
      {"open.json", deep, {"open.json: not valid JSON", "unexpected end of input"}},
      {"deep.json", "{\"x\": " + deep + std::string(100000, ']') + "}",
       {"deep.json: values nested deeper than 256 levels"}},
      {"utf8.json", "{\"VMCMode\": \"Gr\xff\xfey\"}", {"utf8.json: not valid JSON", "ill-formed UTF-8"}},
  };
  std::vector<HostCall> calls;
  for (const Case& c : cases) {
    const fs::path path = c.content ? write(c.file, *c.content) : dir_ / c.file;
    calls.push_back(onSample({"--settings", path.string()}, "settings\n"));
  }
  const std::vector<HostRun> runs = runAll(calls);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    expectExit(runs[i], kCannotLoad, cases[i].message, cases[i].file);
    EXPECT_EQ(runs[i].out, "") << cases[i].file;
  }
}

TEST_F(BadInput, SettingsValuesOfAnyKindLoadAndThoseNotTextsAreWrittenBackAsTheyWere) {
  const std::string nested = std::string(200, '[') + std::string(200, ']');
  const json values = json::parse(R"({"VMCMode": 2, "VMSaveToner": null, "VMCScreen": [true, {"a": 1.5}],
      "big": 99999999999999999999, "nested": )" + nested + "}");
  // Texts the panel reads as numbers or choices, far out of any range.
  json texts = json::object();
  for (const char* key : {"vemra.print.PrintSettings.co.saveSettings", "vemra.print.PrintSettings.co.kestrel2",
                          "VMCPPriority", "VMCNGray"})
    texts[key] = "-99999999999999999999";
  texts["VMCMode"] = std::string(1 << 20, '9');
  texts["VMCScreen"] = std::string("\0", 1);
  const fs::path out = dir_ / "out.json";
  const std::string script = "panelView\nrestore\nstate\nsummaryInfo\nsave\nsave-settings " + out.string() + "\n";
  const std::vector<HostRun> runs =
      runAll({onSample({"--settings", write("values.json", values.dump()).string()}, script),
              onSample({"--settings", write("texts.json", texts.dump()).string()}, "panelView\nrestore\nstate\n")});

  const HostRun& r = runs[0];
  expectExit(r, kDone, {}, "values that are not texts");
  ASSERT_EQ(r.lines.size(), 6u);
  EXPECT_EQ(r.lines[1]["result"], true);
  // A mode that is not a text is not taken: the popup shows the default.
  EXPECT_EQ(r.lines[2]["controls"]["colorModePopup"]["selectedIndex"], 0);
  const json written = json::parse(readFile(out), nullptr, false);
  ASSERT_TRUE(written.is_object());
  // Entries the panel does not write stay as they were loaded.
  for (const char* key : {"big", "nested"}) EXPECT_EQ(written[key], values[key]) << key;
  EXPECT_EQ(written["VMSaveToner"], "False");

  expectExit(runs[1], kDone, {}, "texts out of range");
  ASSERT_EQ(runs[1].lines.size(), 3u);
  EXPECT_EQ(runs[1].lines[1]["result"], true);
  EXPECT_EQ(runs[1].lines[2]["controls"]["colorModePopup"]["selectedIndex"], 0);
}

TEST_F(BadInput, ScriptFilesThatCannotBeReadAreNamed) {
  fs::create_directories(dir_ / "scripts");
  const std::vector<HostRun> runs = runAll({
      onSample({(dir_ / "missing.txt").string()}, ""),
      onSample({(dir_ / "scripts").string()}, ""),
      // The last line needs no line feed.
      onSample({write("last.txt", "panelName\npanelKind").string()}, ""),
  });
  expectExit(runs[0], kCannotLoad, {"missing.txt: cannot be opened"}, "missing script");
  expectExit(runs[1], kCannotLoad, {"scripts: is a folder, not a file"}, "script folder");
  EXPECT_EQ(runs[1].out, "");
  expectExit(runs[2], kDone, {}, "no line feed at the end");
  ASSERT_EQ(runs[2].lines.size(), 2u);
  EXPECT_EQ(runs[2].lines[1]["command"], "panelKind");
}

// --- script lines ---------------------------------------------------------

TEST_F(BadInput, WrongLinesStopTheScriptNamingLineAndCommand) {
  struct Case {
    std::string line, message;
  };
  const std::vector<Case> cases = {
      {"frobnicate 1", "stdin:3: unknown command \"frobnicate\""},
      {"select colorModePopup", "stdin:3: select takes OUTLET INDEX"},
      {"slide neutralGraySlider 1 2", "stdin:3: slide takes OUTLET VALUE"},
      {"restore now", "stdin:3: restore takes no arguments"},
      {"print --copies 0 a", "stdin:3: --copies takes a number of copies from 1 to 9999"},
      {"select colorModePopup one", "stdin:3: select: INDEX must be a whole number, not \"one\""},
      {"slide neutralGraySlider 2.5", "stdin:3: slide: VALUE must be a whole number, not \"2.5\""},
      {"segment sampleViewSelectControl -", "stdin:3: segment: INDEX must be a whole number, not \"-\""},
  };
  std::vector<HostCall> calls;
  for (const Case& c : cases) calls.push_back(onSample({}, "panelView\nrestore\n" + c.line + "\nstate\n"));
  const std::vector<HostRun> runs = runAll(calls);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    expectExit(runs[i], kWrongScriptLine, {cases[i].message}, cases[i].line);
    EXPECT_EQ(runs[i].lines.size(), 2u) << cases[i].line << ": the lines after the wrong one ran";
  }
}

TEST_F(BadInput, IndicesAndValuesOutOfRangeAreRefusedAndChangeNothing) {
  // Each line with the refusal it gets; the slider is on the first tab, the
  // segmented control on the colour tab opened between them.
  const std::vector<std::pair<std::string, std::string>> onFirstTab = {
      {"select colorModePopup -1", "colorModePopup has no item -1"},
      {"select colorModePopup 3", "colorModePopup has no item 3"},
      {"select colorModePopup 9223372036854775807", "colorModePopup has no item 9223372036854775807"},
      {"select colorModePopup -9223372036854775808", "colorModePopup has no item -9223372036854775808"},
      {"select colorModePopup 99999999999999999999", "colorModePopup has no item 99999999999999999999"},
      {"select colorModePopup -99999999999999999999", "colorModePopup has no item -99999999999999999999"},
      {"slide neutralGraySlider -1", "neutralGraySlider goes from 0 to 4"},
      {"slide neutralGraySlider 5", "neutralGraySlider goes from 0 to 4"},
      {"slide neutralGraySlider 99999999999999999999", "neutralGraySlider goes from 0 to 4"},
      {"slide neutralGraySlider -9223372036854775808", "neutralGraySlider goes from 0 to 4"},
  };
  const std::vector<std::pair<std::string, std::string>> onColourTab = {
      {"segment sampleViewSelectControl -1", "sampleViewSelectControl has no segment -1"},
      {"segment sampleViewSelectControl 2", "sampleViewSelectControl has no segment 2"},
      {"segment sampleViewSelectControl 99999999999999999999",
       "sampleViewSelectControl has no segment 99999999999999999999"},
  };
  std::string script = "panelView\nrestore\nstate\n";
  for (const auto& [line, error] : onFirstTab) script += line + "\n";
  script += "tab 1\n";
  for (const auto& [line, error] : onColourTab) script += line + "\n";
  script += "state\n";
  HostRun r = runSample({}, script);
  expectExit(r, kDone, {"select refused: colorModePopup has no item 99999999999999999999"}, "out of range");
  const std::size_t tabLine = 3 + onFirstTab.size();
  ASSERT_EQ(r.lines.size(), tabLine + 1 + onColourTab.size() + 1);
  ASSERT_EQ(r.lines[tabLine]["result"], true) << "the colour tab must open for the segment lines";
  for (std::size_t i = 0; i < onFirstTab.size(); ++i) {
    EXPECT_EQ(r.lines[3 + i]["ok"], false) << onFirstTab[i].first;
    EXPECT_EQ(r.lines[3 + i]["error"], onFirstTab[i].second) << onFirstTab[i].first;
  }
  for (std::size_t i = 0; i < onColourTab.size(); ++i) {
    EXPECT_EQ(r.lines[tabLine + 1 + i]["ok"], false) << onColourTab[i].first;
    EXPECT_EQ(r.lines[tabLine + 1 + i]["error"], onColourTab[i].second) << onColourTab[i].first;
  }
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
  HostRun r = runSample({},
                        "panelView\n"
                        "select noSuchPopup 0\n"
                        "click noSuchButton\n"
                        "slide noSuchSlider 1\n"
                        "segment noSuchControl 0\n"
                        "select tonerSaveCB 0\n"
                        "slide colorModePopup 1\n"
                        "tab 9\n"
                        "tab \"\"\n"
                        "tab Caf\u00e9\n"
                        "panelName\n");
  // Text that is UTF-8 is shown as it is.
  expectExit(r, kDone,
             {"click refused: the panel has no control noSuchButton",
              "tab refused: mainTabView has no tab \"Caf\u00e9\""},
             "unknown outlets");
  ASSERT_EQ(r.lines.size(), 11u);
  const std::vector<std::string> errors = {
      "the panel has no control noSuchPopup", "the panel has no control noSuchButton",
      "the panel has no control noSuchSlider", "the panel has no control noSuchControl",
      "tonerSaveCB is a Button, not a popup button", "colorModePopup is a PopUpButton, not a slider",
      "mainTabView has no tab \"9\"", "mainTabView has no tab \"\"", "mainTabView has no tab \"Caf\u00e9\"",
  };
  for (std::size_t i = 0; i < errors.size(); ++i) EXPECT_EQ(r.lines[1 + i]["error"], errors[i]) << i;
  EXPECT_EQ(r.lines[10]["result"], "Image Quality");
}

TEST_F(BadInput, NothingIsUsedBeforeThePanelViewAndRestoreEarlyIsHarmless) {
  // Before anything has loaded the layout, and again after restore has.
  HostRun r = runSample({},
                        "tab 1\n"
                        "restore\n"
                        "select colorModePopup 1\nclick tonerSaveCB\nslide neutralGraySlider 1\n"
                        "segment sampleViewSelectControl 1\ntab 1\nshow\n"
                        "panelView\nrestore\nselect colorModePopup 1\n");
  expectExit(r, kDone, {"tab refused: the panel is not shown (no panelView yet)"}, "before panelView");
  ASSERT_EQ(r.lines.size(), 11u);
  EXPECT_EQ(r.lines[0]["error"], "the panel is not shown (no panelView yet)");
  EXPECT_EQ(r.lines[1]["result"], true);
  for (std::size_t i = 2; i <= 7; ++i)
    EXPECT_EQ(r.lines[i]["error"], "the panel is not shown (no panelView yet)") << r.lines[i];
  EXPECT_EQ(r.lines[10]["ok"], true);
  EXPECT_EQ(r.lines[10]["title"], "Full Color");
}

TEST_F(BadInput, LinesWithOddBytesOrOfAMegabyteAreShownReadably) {
  const std::string megabyte(1 << 20, 'x');
  const std::vector<HostRun> runs = runAll({
      // A NUL byte in the command's name.
      onSample({}, std::string("panelName\0junk\n", 15)),
      // A byte that is not UTF-8 in the name.
      onSample({}, "pan\xff" "elName\n"),
      // In an outlet's name, in lines ended by CR LF.
      onSample({}, "panelView\r\nselect color\xc3Popup 1\r\nselect colorModePopup 2\r\n"),
      // A megabyte name.
      onSample({}, "panelName\n" + megabyte + "\n"),
      // A megabyte comment and a megabyte argument.
      onSample({}, "#" + megabyte + "\npanelName\ntab " + megabyte + "\n"),
  });
  // Standard error writes such bytes as \xNN; the JSON line replaces them
  // and stays valid JSON.
  expectExit(runs[0], kWrongScriptLine, {"stdin:1: unknown command \"panelName\\x00junk\""}, "NUL in a name");
  expectExit(runs[1], kWrongScriptLine, {"unknown command \"pan\\xffelName\""}, "invalid UTF-8 in a name");
  expectExit(runs[2], kDone, {"the panel has no control color\\xc3Popup"}, "invalid UTF-8 in an outlet");
  ASSERT_EQ(runs[2].lines.size(), 3u);
  EXPECT_EQ(runs[2].lines[1]["error"], "the panel has no control color\xef\xbf\xbdPopup");
  EXPECT_EQ(runs[2].lines[2]["title"], "Grayscale");

  // The megabyte name is cut short in the message.
  expectExit(runs[3], kWrongScriptLine, {"stdin:2: unknown command \"xxxx", "(1048594 bytes in all)"}, "long name");
  EXPECT_LT(runs[3].err.size(), 2000u);
  EXPECT_EQ(runs[3].lines.size(), 1u);
  expectExit(runs[4], kDone, {}, "long comment and argument");
  ASSERT_EQ(runs[4].lines.size(), 2u);
  EXPECT_EQ(runs[4].lines[0]["result"], "Image Quality");
  EXPECT_EQ(runs[4].lines[1]["error"], "the panel is not shown (no panelView yet)");
}

TEST_F(BadInput, PrintAndSaveToPlacesThatCannotBeUsedFailAndTheScriptRunsOn) {
  fs::create_directories(dir_ / "folder");
  const std::string folder = (dir_ / "folder").string();
  const std::string noFolder = (dir_ / "none" / "s.json").string();
  const std::string missing = (dir_ / "missing.ps").string();
  const std::vector<HostRun> runs = runAll({
      onSample({}, "panelView\nrestore\n"
                   "save-settings " + folder + "\n"
                   "save-settings " + noFolder + "\n"
                   "print " + folder + "\n"
                   "print " + missing + "\n"
                   "save-settings \"\"\n"
                   "print \"\"\n"
                   "panelName\n"),
      onSample({"--no-settings"}, "save-settings " + (dir_ / "s.json").string() + "\n"),
  });
  const HostRun& r = runs[0];
  expectExit(r, kCommandFailed, {"save-settings refused: " + folder + ": is a folder, not a file"}, "unwritable");
  ASSERT_EQ(r.lines.size(), 9u);
  EXPECT_EQ(r.lines[2]["error"], folder + ": is a folder, not a file");
  EXPECT_EQ(r.lines[3]["error"], noFolder + ": cannot be written");
  EXPECT_EQ(r.lines[4]["error"], folder + ": is a folder, not a file");
  EXPECT_EQ(r.lines[5]["error"], missing + ": cannot be opened");
  EXPECT_EQ(r.lines[6]["error"], "the file name is empty");
  EXPECT_EQ(r.lines[7]["error"], "the file name is empty");
  for (std::size_t i = 2; i <= 7; ++i) EXPECT_EQ(r.lines[i]["ok"], false) << i;
  EXPECT_EQ(r.lines[8]["result"], "Image Quality");
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));

  expectExit(runs[1], kCommandFailed, {"the host has no print settings"}, "no settings");
  EXPECT_FALSE(fs::exists(dir_ / "s.json"));
}

}  // namespace
