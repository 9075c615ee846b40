// The panel driven by a host over an arbitrary printer description. One
// input is the description's text, a NUL byte, then bytes that decide the
// host (constraint handling, current printer), the job's print settings and
// a sequence of what a person does with the shown panel (see fuzz_input.h):
//
//   open with libcups (rejected: stop) -> the factory's panel -> panelView
//   (the built bundle's Color6 layout and strings) -> restore from the
//   settings -> commands -> save -> summaryInfo
//
// Nothing may crash, leak or trip the sanitizers, and every text the panel
// hands the host must be valid UTF-8 (a strict JSON dump throws otherwise).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "VemraPrintPdeLX4200COPDEPlugIn.h"
#include "fuzz_host.h"
#include "fuzz_input.h"
#include "person.h"
#include "print_settings_text.h"
#include "toolkit/bundle.h"

namespace {

using panelfuzz::ByteReader;

const std::array<const char*, 9> kKeywords = {"VMCMode",     "VMCPPriority", "VMCNGray",
                                              "VMCPureB",    "VMSaveToner",  "VMCScreen",
                                              "VMCTrapping", "VMCSharpness", "VMSmoothing"};

// A choice keyword of the description's option, or a made-up one.
std::string choiceOf(ppd_file_t* ppd, const std::string& keyword, ByteReader& in) {
  const std::uint8_t pick = in.byte();
  for (int i = 0; i < ppd->num_groups; ++i) {
    const ppd_group_t& group = ppd->groups[i];
    for (int j = 0; j < group.num_options; ++j) {
      const ppd_option_t& option = group.options[j];
      if (keyword != option.keyword || option.num_choices <= 0) continue;
      return option.choices[pick % option.num_choices].choice;
    }
  }
  return "Nothing";
}

// The job's settings before the panel reads them: the panel's own keys and
// junk, with values that are the description's choices, numbers or any text.
void fillSettings(panelfuzz::Settings& settings, ppd_file_t* ppd, ByteReader& in) {
  const int count = in.byte() % 16;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t which = in.byte() % 13;
    std::string key = which == 0   ? kSaveSettingsKey
                      : which == 1 ? kModelCodeKey
                      : which < 11 ? kKeywords[which - 2]
                                   : in.text(32);
    std::string value;
    switch (in.byte() % 4) {
      case 0: value = in.text(); break;
      case 1: value = choiceOf(ppd, key, in); break;
      case 2: value = std::to_string(static_cast<std::int8_t>(in.byte())); break;
      default: value = std::to_string(kPanelModelCode); break;
    }
    settings.entries[key] = value;
  }
}

void runCommands(pde::Panel& panel, toolkit::View* shown, panelfuzz::Host& host, ppd_file_t* ppd, ByteReader& in) {
  panelfuzz::Person person(panel, shown);
  std::string error;
  for (int step = 0; step < 256 && !in.empty(); ++step) {
    switch (in.byte() % 9) {
      case 0: {
        toolkit::View* popup = person.nthOutlet(toolkit::ViewKind::popUpButton, in.byte());
        person.selectItem(popup, static_cast<int>(in.byte() % 16) - 2);
        break;
      }
      case 1: person.click(person.nthOutlet(toolkit::ViewKind::button, in.byte())); break;
      case 2: {
        toolkit::View* slider = person.nthOutlet(toolkit::ViewKind::slider, in.byte());
        person.slide(slider, static_cast<std::int8_t>(in.byte()));
        break;
      }
      case 3: {
        toolkit::View* control = person.nthOutlet(toolkit::ViewKind::segmentedControl, in.byte());
        person.segment(control, static_cast<int>(in.byte() % 4) - 1);
        break;
      }
      case 4: person.tab(person.tabIdentifier(in.byte())); break;
      case 5: {
        // Another pane of the dialog changed one of the panel's options.
        const std::string keyword = kKeywords[in.byte() % kKeywords.size()];
        const std::string choice = choiceOf(ppd, keyword, in);
        host.willChangePPDOptionKeyValuePpdChoice(keyword, choice);
        panel.PPDOptionKeyValueDidChangePpdChoice(keyword, choice);
        break;
      }
      case 6: panel.saveValuesAndReturnError(&error); break;
      case 7: panel.restoreValuesAndReturnError(&error); break;
      default:
        // The person looks at another pane and comes back.
        panel.shouldHide();
        panel.willShow();
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const panelfuzz::SplitInput input = panelfuzz::splitInput(data, size);
  panelfuzz::Description description(input.ppdText);
  ppd_file_t* ppd = description.get();
  if (ppd == nullptr) return 0;

  ByteReader in(input.rest);
  const std::uint8_t hostFlags = in.byte();
  auto host = std::make_shared<panelfuzz::Host>(ppd, (hostFlags & 1) == 0);
  if ((hostFlags & 2) == 0) host->session.printerID = "LX4200";
  fillSettings(host->settings, ppd, in);

  static VemraPrintPdeLX4200COPDEPlugIn factory(toolkit::Bundle::bundleWithPath(TINTPANEL_BUNDLE_DIR));
  auto panels = factory.PDEPanelsForTypeWithHostInfo(pde::kPrintDialogExtensionType, host);
  if (!panels || panels->empty() || !panels->front()) return 0;
  pde::Panel& panel = *panels->front();

  (void)panel.panelName();
  toolkit::View* shown = panel.panelView();
  panel.willShow();
  std::string error;
  panel.restoreValuesAndReturnError(&error);
  runCommands(panel, shown, *host, ppd, in);
  panel.saveValuesAndReturnError(&error);
  nlohmann::json summary = panel.summaryInfo();
  (void)summary.dump();
  (void)panel.stateSnapshot().dump();
  return 0;
}
