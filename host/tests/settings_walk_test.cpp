// Walks the real panel over the sample description through many states a
// person can reach (random picks, clicks, slides and tab switches on the
// Color6 layout, refused ones included) and checks that the print settings
// it saves never break the description's constraints, so that `print` never
// has to refuse the panel's own settings.
#include <gtest/gtest.h>

#include <random>

#include "cups/print_job.h"
#include "script/command_table.h"
#include "session/host_session.h"
#include "toolkit/controls.h"

namespace pdehost {
namespace {

struct Walker {
  explicit Walker(unsigned seed) : random(seed) {
    HostOptions options;
    options.plugin = TINTPANEL_BUNDLE;
    options.ppd = SAMPLE_PPD;
    options.printer = "";  // the walk needs no CUPS server
    HostSession::StartFailure failure;
    session = HostSession::start(options, "pdehost", &failure);
    if (!session) ADD_FAILURE() << failure.message;
  }

  CommandOutcome run(const std::string& name, const std::vector<std::string>& args = {}) {
    const CommandSpec* entry = commands.find(name);
    EXPECT_NE(entry, nullptr) << name;
    return entry->run(*session, args);
  }

  std::int64_t below(std::int64_t n) { return std::uniform_int_distribution<std::int64_t>(0, n - 1)(random); }

  // One thing a person might try on a random control; refusals are part of
  // the walk (the control is dimmed or hidden).
  std::string step() {
    const auto outlets = session->panel().outlets();
    for (;;) {
      const auto& [name, view] = outlets[static_cast<std::size_t>(below(static_cast<std::int64_t>(outlets.size())))];
      if (view == nullptr) continue;
      if (auto* popup = dynamic_cast<toolkit::PopUpButton*>(view)) {
        if (popup->numberOfItems() == 0) continue;
        const std::string index = std::to_string(below(popup->numberOfItems()));
        run("select", {name, index});
        return "select " + name + " " + index;
      }
      if (auto* slider = dynamic_cast<toolkit::Slider*>(view)) {
        const auto low = static_cast<std::int64_t>(slider->minValue());
        const std::string value = std::to_string(low + below(static_cast<std::int64_t>(slider->maxValue()) - low + 1));
        run("slide", {name, value});
        return "slide " + name + " " + value;
      }
      if (auto* button = dynamic_cast<toolkit::Button*>(view)) {
        if (button->buttonType() == toolkit::ButtonType::push) continue;
        // The lock dims everything; let it be turned on rarely.
        if (name == "saveSettingsButton" && button->state() == 0 && below(4) != 0) continue;
        run("click", {name});
        return "click " + name;
      }
      if (dynamic_cast<toolkit::TabView*>(view) != nullptr) {
        const std::string tab = below(2) == 0 ? "0" : "1";
        run("tab", {tab});
        return "tab " + tab;
      }
    }
  }

  // The settings as they stand after a save, checked against the constraints.
  ConflictCheck saveAndCheck() {
    run("save");
    std::string error;
    auto options = jobOptionsFromSettings(*session->settings(), &error);
    EXPECT_TRUE(options) << error;
    return markJobOptions(session->ppd()->file(), options.value_or(std::vector<JobOption>{}));
  }

  std::mt19937 random;
  CommandTable commands = standardCommands();
  std::unique_ptr<HostSession> session;
};

TEST(SettingsWalk, SavedSettingsNeverConflict) {
  int checks = 0;
  int tonerSaveOn = 0;
  int speed = 0;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    Walker walker(seed);
    ASSERT_TRUE(walker.session);
    walker.run("panelView");
    walker.run("restore");
    std::vector<std::string> path;
    for (int i = 0; i < 150; ++i) {
      path.push_back(walker.step());
      const ConflictCheck check = walker.saveAndCheck();
      ++checks;
      std::string value;
      if (walker.session->settings()->getValue("VMSaveToner", &value) == 0 && value == "True") ++tonerSaveOn;
      if (walker.session->settings()->getValue("VMCPPriority", &value) == 0 && value == "Speed") ++speed;
      if (!check.ok()) {
        std::string steps;
        for (const auto& s : path) steps += "\n  " + s;
        FAIL() << "seed " << seed << ": conflicts " << describeChoices(check.conflicts) << ", unknown choices "
               << describeChoices(check.unknownChoices) << " after:" << steps;
      }
    }
    EXPECT_TRUE(walker.run("shouldPrint").line["result"].get<bool>());
  }
  // The walk reached the states the constraints are about.
  EXPECT_EQ(checks, 12 * 150);
  EXPECT_GT(tonerSaveOn, 50);
  EXPECT_GT(speed, 50);
}

}  // namespace
}  // namespace pdehost
