// The host's commands against a fake panel built from toolkit controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "script/command_table.h"
#include "script/script_runner.h"
#include "session/host_session.h"
#include "temp_dir.h"
#include "toolkit/controls.h"

namespace pdehost {
namespace {

using nlohmann::json;

class FakePanel : public pde::Panel, public toolkit::ActionTarget, public toolkit::TabViewDelegate {
 public:
  FakePanel() {
    for (const char* t : {"Auto", "Color", "Gray"}) popup->addItemWithTitle(t);
    popup->setAutoenablesItems(false);
    popup->setItemEnabled(2, false);
    wire(*popup, "popupProc:");
    checkbox->setButtonType(toolkit::ButtonType::checkbox);
    checkbox->setTitle("Toner Save");
    wire(*checkbox, "checkboxProc:");
    slider->setRange(0, 4);
    slider->setNumberOfTickMarks(5);
    slider->setAllowsTickMarkValuesOnly(true);
    wire(*slider, "sliderProc:");
    segments->setSegments({{"Before", true}, {"After", false}});
    wire(*segments, "segmentProc:");
    hidden->setHidden(true);
    label->setStringValue("Mode:");
    onSecondTab->setButtonType(toolkit::ButtonType::checkbox);
    wire(*onSecondTab, "checkboxProc:");
    auto second = std::make_shared<toolkit::View>();
    second->addSubview(onSecondTab);
    tabs->addTabViewItem(std::make_shared<toolkit::TabViewItem>("0", "Basic", nullptr));
    tabs->addTabViewItem(std::make_shared<toolkit::TabViewItem>("1", "Color", second));
    tabs->setDelegate(this);
    for (auto v : std::initializer_list<std::shared_ptr<toolkit::View>>{popup, checkbox, slider, segments, hidden,
                                                                        label, tabs})
      root->addSubview(v);
  }
  void wire(toolkit::Control& control, const char* action) {
    control.setTarget(this);
    control.setAction(action);
  }

  std::string panelName() override { return "Fake"; }
  std::string panelKind() override { return "fake.kind"; }
  std::vector<std::string> supportedPPDOptionKeys() override { return {"A", "B"}; }
  toolkit::View* panelView() override { return giveView ? root.get() : nullptr; }
  void willShow() override {}
  bool shouldHide() override { return true; }
  bool restoreValuesAndReturnError(std::string*) override { return true; }
  bool saveValuesAndReturnError(std::string* error) override {
    if (error != nullptr) *error = "disk full";
    return false;
  }
  json summaryInfo() override { return {{"Summary Display Order", json::array()}}; }
  bool shouldPrint() override { return true; }
  bool shouldShowHelp() override { return false; }
  void PPDOptionKeyValueDidChangePpdChoice(const std::string&, const std::string&) override {}
  json stateSnapshot() const override { return {{"actions", actions}}; }
  std::vector<std::pair<std::string, toolkit::View*>> outlets() const override {
    return {{"panelView", root.get()}, {"modePopup", popup.get()},   {"tonerCB", checkbox.get()},
            {"graySlider", slider.get()}, {"sampleControl", segments.get()}, {"hiddenCB", hidden.get()},
            {"modeTitle", label.get()},   {"mainTabView", tabs.get()},   {"secondTabCB", onSecondTab.get()},
            {"absentCB", nullptr}};
  }

  bool performAction(std::string_view action, toolkit::View*) override {
    actions.emplace_back(action);
    return true;
  }
  bool respondsToAction(std::string_view) const override { return true; }
  bool tabViewShouldSelectTabViewItem(toolkit::TabView*, toolkit::TabViewItem* item) override {
    return !(lockColorTab && item->identifier() == "1");
  }

  template <typename T>
  static std::shared_ptr<T> make(double x, double y, double width, double height) {
    return std::make_shared<T>(toolkit::Rect{x, y, width, height});
  }

  bool giveView = true;
  bool lockColorTab = false;
  std::vector<std::string> actions;
  const std::shared_ptr<toolkit::View> root = make<toolkit::View>(0, 0, 300, 200);
  const std::shared_ptr<toolkit::PopUpButton> popup = make<toolkit::PopUpButton>(10, 150, 100, 26);
  const std::shared_ptr<toolkit::Button> checkbox = make<toolkit::Button>(10, 120, 100, 18);
  const std::shared_ptr<toolkit::Slider> slider = make<toolkit::Slider>(10, 90, 100, 24);
  const std::shared_ptr<toolkit::SegmentedControl> segments = make<toolkit::SegmentedControl>(10, 60, 100, 24);
  const std::shared_ptr<toolkit::Button> hidden = make<toolkit::Button>(150, 150, 100, 18);
  const std::shared_ptr<toolkit::TextField> label = make<toolkit::TextField>(150, 120, 100, 17);
  const std::shared_ptr<toolkit::TabView> tabs = make<toolkit::TabView>(0, 0, 300, 50);
  const std::shared_ptr<toolkit::Button> onSecondTab = make<toolkit::Button>(5, 5, 80, 18);
};

class HostCommands : public testing::Test {
 protected:
  void SetUp() override {
    panel = std::make_shared<FakePanel>();
    auto settings = std::make_unique<JsonPrintSettings>();
    settings->setValue("VMCMode", "Color", false);
    auto callback = std::make_shared<HostCallbackObject>(nullptr, settings.get(), "LX4200", true);
    session = std::make_unique<HostSession>(std::move(settings), nullptr, nullptr, callback,
                                            std::vector<std::shared_ptr<pde::Panel>>{panel}, nullptr);
  }

  // Runs the script; answers the exit status and fills lines and errors.
  int run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    int status = runScript(in, "test", *session, commands, {out, err, false});
    lines.clear();
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) lines.push_back(json::parse(line));
    errors = err.str();
    return status;
  }

  std::shared_ptr<FakePanel> panel;
  std::unique_ptr<HostSession> session;
  CommandTable commands = standardCommands();
  std::vector<json> lines;
  std::string errors;
};

TEST_F(HostCommands, ProtocolCommandsPrintTheirResults) {
  ASSERT_EQ(run("panelName\npanelKind\n\n# a comment\n   \nsupportedPPDOptionKeys\nshouldHide\nshouldShowHelp\n"
                "restore\nsave\nsummaryInfo\nshouldPrint\nwillShow\n"),
            kExitOk);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], (json{{"command", "panelName"}, {"result", "Fake"}}));
  EXPECT_EQ(lines[1]["result"], "fake.kind");
  EXPECT_EQ(lines[2]["result"], json::array({"A", "B"}));
  EXPECT_EQ(lines[3]["result"], true);
  EXPECT_EQ(lines[4]["result"], false);
  EXPECT_EQ(lines[5], (json{{"command", "restore"}, {"result", true}, {"error", nullptr}}));
  EXPECT_EQ(lines[6], (json{{"command", "save"}, {"result", false}, {"error", "disk full"}}));
  EXPECT_TRUE(lines[7]["result"].contains("Summary Display Order"));
  EXPECT_EQ(lines[9]["result"], nullptr);
}

TEST_F(HostCommands, PanelViewIsShownInTheWindowOrReportedAsNone) {
  ASSERT_EQ(run("panelView\n"), kExitOk);
  EXPECT_EQ(lines[0]["result"]["kind"], "View");
  EXPECT_EQ(lines[0]["result"]["subviews"], 7);
  EXPECT_EQ(session->shownView(), panel->root.get());
  EXPECT_EQ(panel->label->window(), &session->window());

  panel->giveView = false;
  ASSERT_EQ(run("panelView\n"), kExitOk);
  EXPECT_EQ(lines[0]["result"], nullptr);
  EXPECT_EQ(session->shownView(), nullptr);
}

TEST_F(HostCommands, NothingCanBeUsedBeforeThePanelIsShown) {
  ASSERT_EQ(run("select modePopup 1\nclick tonerCB\ntab 1\nshow\n"), kExitOk);
  ASSERT_EQ(lines.size(), 4u);
  for (const auto& line : lines) {
    EXPECT_EQ(line["ok"], false);
    EXPECT_EQ(line["error"], "the panel is not shown (no panelView yet)");
  }
  EXPECT_TRUE(panel->actions.empty());
  EXPECT_EQ(panel->popup->indexOfSelectedItem(), 0);
  EXPECT_NE(errors.find("select refused"), std::string::npos);
}

TEST_F(HostCommands, SelectPicksAnItemThenSendsTheAction) {
  ASSERT_EQ(run("panelView\nselect modePopup 1\n"), kExitOk);
  EXPECT_EQ(lines[1], (json{{"command", "select"}, {"ok", true}, {"outlet", "modePopup"}, {"index", 1},
                            {"title", "Color"}}));
  EXPECT_EQ(panel->popup->indexOfSelectedItem(), 1);
  EXPECT_EQ(panel->actions, std::vector<std::string>{"popupProc:"});
}

TEST_F(HostCommands, WhatAPersonCannotDoIsRefusedAndChangesNothing) {
  panel->checkbox->setEnabled(false);
  // Each line with the refusal it gets.
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"select modePopup 2", "item 2 of modePopup is disabled"},
      {"select modePopup 3", "modePopup has no item 3"},
      {"select modePopup -1", "modePopup has no item -1"},
      {"click tonerCB", "tonerCB is disabled"},
      {"click hiddenCB", "hiddenCB is hidden"},
      {"click secondTabCB", "secondTabCB is on tab \"1\", which is not selected"},
      {"click absentCB", "the panel has no control absentCB"},
      {"click modeTitle", "modeTitle is a TextField, not a button"},
      {"slide graySlider 5", "graySlider goes from 0 to 4"},
      {"segment sampleControl 1", "segment 1 of sampleControl is disabled"},
      {"segment sampleControl 2", "sampleControl has no segment 2"},
      {"tab 7", "mainTabView has no tab \"7\""},
  };
  std::string script = "panelView\n";
  for (const auto& [line, error] : refused) script += line + "\n";
  ASSERT_EQ(run(script), kExitOk);
  ASSERT_EQ(lines.size(), refused.size() + 1);
  for (std::size_t i = 0; i < refused.size(); ++i) {
    SCOPED_TRACE(refused[i].first);
    EXPECT_EQ(lines[i + 1]["ok"], false);
    EXPECT_EQ(lines[i + 1]["error"], refused[i].second);
  }
  EXPECT_TRUE(panel->actions.empty());
  EXPECT_EQ(panel->popup->indexOfSelectedItem(), 0);
  EXPECT_EQ(panel->checkbox->state(), 0);
  EXPECT_EQ(panel->segments->selectedSegment(), -1);
}

TEST_F(HostCommands, DisabledPopupAndHiddenAncestorAreRefused) {
  panel->popup->setEnabled(false);
  ASSERT_EQ(run("panelView\nselect modePopup 1\n"), kExitOk);
  EXPECT_EQ(lines[1]["error"], "modePopup is disabled");
  panel->popup->setEnabled(true);
  panel->root->setHidden(true);
  ASSERT_EQ(run("select modePopup 1\n"), kExitOk);
  EXPECT_EQ(lines[0]["error"], "modePopup is inside a hidden view");
}

TEST_F(HostCommands, ClickSlideAndSegmentChangeTheControlThenSendTheAction) {
  ASSERT_EQ(run("panelView\nclick tonerCB\nslide graySlider 3\nsegment sampleControl 0\nclick tonerCB\n"), kExitOk);
  EXPECT_EQ(lines[1]["state"], 1);
  EXPECT_EQ(lines[2]["value"], 3);
  EXPECT_EQ(lines[3]["index"], 0);
  EXPECT_EQ(lines[4]["state"], 0);
  EXPECT_EQ(panel->slider->integerValue(), 3);
  EXPECT_EQ(panel->actions,
            (std::vector<std::string>{"checkboxProc:", "sliderProc:", "segmentProc:", "checkboxProc:"}));
}

TEST_F(HostCommands, SliderStopsOnlyAtTickMarksWhenItSaysSo) {
  panel->slider->setRange(0, 8);  // five ticks: 0, 2, 4, 6, 8
  ASSERT_EQ(run("panelView\nslide graySlider 3\nslide graySlider 6\n"), kExitOk);
  EXPECT_EQ(lines[1]["error"], "graySlider stops only at its tick marks");
  EXPECT_EQ(lines[2]["ok"], true);
}

TEST_F(HostCommands, TabAsksTheDelegateAndPrintsItsAnswer) {
  panel->lockColorTab = true;
  ASSERT_EQ(run("panelView\ntab 1\n"), kExitOk);
  EXPECT_EQ(lines[1], (json{{"command", "tab"}, {"result", false}, {"identifier", "1"}, {"selected", "0"}}));
  panel->lockColorTab = false;
  ASSERT_EQ(run("tab 1\nclick secondTabCB\n"), kExitOk);
  EXPECT_EQ(lines[0]["result"], true);
  EXPECT_EQ(lines[0]["selected"], "1");
  EXPECT_EQ(lines[1]["ok"], true);
}

TEST_F(HostCommands, StateListsPresentOutletsWithWhatTheyShow) {
  ASSERT_EQ(run("state\npanelView\nstate\nsettings\n"), kExitOk);
  EXPECT_EQ(lines[0]["panel"], (json{{"actions", json::array()}}));
  EXPECT_EQ(lines[0]["controls"]["modePopup"]["visible"], false);  // not shown yet
  const json& controls = lines[2]["controls"];
  EXPECT_FALSE(controls.contains("absentCB"));
  EXPECT_EQ(controls["modePopup"]["visible"], true);
  EXPECT_EQ(controls["modePopup"]["items"][2], (json{{"title", "Gray"}, {"enabled", false}}));
  EXPECT_EQ(controls["hiddenCB"]["visible"], false);
  EXPECT_EQ(controls["secondTabCB"]["visible"], false);
  EXPECT_EQ(controls["mainTabView"]["selectedIdentifier"], "0");
  EXPECT_EQ(controls["graySlider"]["maxValue"], 4);
  EXPECT_EQ(controls["modeTitle"]["text"], "Mode:");
  EXPECT_EQ(lines[3]["settings"], (json{{"VMCMode", "Color"}}));
}

TEST_F(HostCommands, ShowDrawsWhatAPersonSees) {
  ASSERT_EQ(run("panelView\nshow\n"), kExitOk);
  std::vector<std::string> text = lines[1]["text"];
  ASSERT_GE(text.size(), 4u);
  EXPECT_EQ(text[0], "[Auto v] (3 items)");
  EXPECT_EQ(text[1], "[ ] Toner Save   Mode:");  // same row, left to right; hidden button left out
  EXPECT_EQ(text[2], "|o--------| 0");
  EXPECT_EQ(text[3], "( Before | After )");
  EXPECT_EQ(text[4], "Tabs: [Basic] | Color");
}

TEST_F(HostCommands, ScriptErrorsStopTheRunWithTheLineNumber) {
  struct Case {
    std::string script, error;
    std::size_t linesBefore;  // printed by the lines before the wrong one
  };
  const std::vector<Case> cases = {
      {"panelName\nfrobnicate\npanelKind\n", "test:2: unknown command \"frobnicate\"", 1},
      {"panelView\nselect modePopup one\n", "test:2: select: INDEX must be a whole number, not \"one\"", 1},
      {"select modePopup\n", "test:1: select takes OUTLET INDEX", 0},
      {"panelName extra\n", "test:1: panelName takes no arguments", 0},
      {"click \"tonerCB\n", "test:1: a double quote is not closed", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(run(c.script), kExitScriptError);
    EXPECT_EQ(errors, "pdehost: " + c.error + "\n");
    EXPECT_EQ(lines.size(), c.linesBefore);
  }
}

TEST_F(HostCommands, NoPrintSettingsShowAsNull) {
  auto callback = std::make_shared<HostCallbackObject>(nullptr, nullptr, std::nullopt, true);
  session = std::make_unique<HostSession>(nullptr, nullptr, nullptr, callback,
                                          std::vector<std::shared_ptr<pde::Panel>>{panel}, nullptr);
  ASSERT_EQ(run("settings\n"), kExitOk);
  EXPECT_EQ(lines[0]["settings"], nullptr);
  EXPECT_EQ(session->callback().printSettings(), nullptr);
  EXPECT_EQ(session->callback().printSession()->currentPrinterID(), std::nullopt);
}

// The actions' failures read in a script's lines word for word as scripts
// have always read them; a refused job also names the choices at fault.
TEST_F(HostCommands, ActionFailuresReadAsScriptsKnowThem) {
  qvx::test::TempDir home;
  const char* oldHome = std::getenv("HOME");
  const std::string wasHome = oldHome != nullptr ? oldHome : "";
  setenv("HOME", home.path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"delete-preset Default Settings", "\"Default Settings\" is built in and cannot be deleted"},
      {"use-preset Last Used Settings", "nothing was printed to this printer from here yet"},
      {"save-defaults", "no printer to print to (--printer is empty)"},
      {"print", "no printer to print to (--printer is empty)"},
  };
  for (const auto& [script, error] : cases) {
    EXPECT_EQ(run(script + "\n"), kExitCommandFailed) << script;
    EXPECT_EQ(lines.at(0), (json{{"command", firstWordOf(script)}, {"ok", false}, {"error", error}}));
  }
  unsetenv("HOME");
  EXPECT_EQ(run("presets\n"), kExitCommandFailed);
  EXPECT_EQ(lines.at(0)["error"], "no folder for presets: neither XDG_CONFIG_HOME nor HOME is set");
  if (oldHome != nullptr) setenv("HOME", wasHome.c_str(), 1);

  std::string problem;
  auto settings = std::make_unique<JsonPrintSettings>();
  for (const char* entry : {"VMSaveToner=True", "VMCPPriority=Speed", "VMCTrapping=Wide", "Duplex=Sideways"}) {
    const std::string text = entry;
    settings->setValue(text.substr(0, text.find('=')), text.substr(text.find('=') + 1), false);
  }
  auto ppd = PpdDocument::open(SAMPLE_PPD, &problem);
  ASSERT_TRUE(ppd) << problem;
  auto callback = std::make_shared<HostCallbackObject>(ppd.get(), settings.get(), "Office", true);
  session = std::make_unique<HostSession>(std::move(settings), std::move(ppd), nullptr, callback,
                                          std::vector<std::shared_ptr<pde::Panel>>{panel}, nullptr);
  session->setPrinter({"Office", "server", "here", {}, std::nullopt});
  EXPECT_EQ(run("print\n"), kExitCommandFailed);
  EXPECT_EQ(lines.at(0)["error"],
            "the printer description has no such choice: Duplex=Sideways; conflicting options: VMCPPriority=Speed, "
            "VMCTrapping=Wide, VMSaveToner=True; the job was not sent");
  EXPECT_EQ(lines.at(0)["unknownChoices"], (json::array({{{"keyword", "Duplex"}, {"choice", "Sideways"}}})));
  EXPECT_EQ(lines.at(0)["conflicts"].size(), 3u);
}

TEST(CommandTable, NewCommandsRegisterBesideTheStandardOnes) {
  CommandTable table = standardCommands();
  EXPECT_FALSE(table.add({"state", "", 0, 0, nullptr}));  // names are unique
  EXPECT_TRUE(table.add({"example-command", "FILE", 1, 1,
                         [](HostSession&, const std::vector<std::string>& args) {
                           return CommandOutcome::result(args[0]);
                         }}));
  ASSERT_NE(table.find("example-command"), nullptr);
  EXPECT_EQ(table.find("nothing"), nullptr);
  for (const char* name : {"panelName", "panelKind", "supportedPPDOptionKeys", "panelView", "willShow", "shouldHide",
                           "restore", "save", "summaryInfo", "shouldPrint", "shouldShowHelp", "select", "click",
                           "slide", "segment", "tab", "state", "settings", "show"})
    EXPECT_NE(table.find(name), nullptr) << name;
}

}  // namespace
}  // namespace pdehost
