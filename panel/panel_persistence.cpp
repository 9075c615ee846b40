// The panel's entries in the job's print settings: the save-settings flag,
// one choice keyword per option the description offers, and the model code
// that tells which configuration wrote them.
#include "VemraPrintPdeLX4200CO.h"
#include "panel_options.h"
#include "pm_print_settings.h"
#include "print_settings_text.h"

namespace {

// A preference value that is set wins over what was read, once.
template <typename Field>
void applyPreference(std::int16_t& preference, Field& field) {
  if (preference == -1) return;
  field = preference;
  preference = -1;
}

}  // namespace

void VemraPrintPdeLX4200CO::writeNonPPDSettingsToPrintSettings() {
  pde::PrintSettings* settings = pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr;
  if (!settings || !hasInited) return;

  // The button's own state counts here, not saveSettingsValue.
  const int locked = saveSettingsButton && saveSettingsButton->state() != 0 ? 1 : 0;
  PMPrintSettingsSetValue(settings, kSaveSettingsKey, decimalText(locked), false);

  // Both directions walk the options in the table's order.
  for (const PanelOption& stored : kPanelOptions) {
    ppd_option_t* option = this->*stored.option;
    if (!option) continue;
    // A choice without a keyword leaves the entry as it was.
    if (auto keyword = GetComputerReadableOptionNameItemIndex(option, this->*stored.choice)) {
      PMPrintSettingsSetValue(settings, stored.keyword, *keyword, false);
    }
  }

  PMPrintSettingsSetValue(settings, kModelCodeKey, decimalText(kPanelModelCode), false);
}

void VemraPrintPdeLX4200CO::getNonPPDSettingsFromPrintSettings() {
  pde::PrintSettings* settings = pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr;
  if (!settings) return;

  const bool sameModel = CheckModelIsSame();

  // The flag is taken whatever model wrote the entries.
  saveSettingsValue = 0;
  std::string text;
  if (PMPrintSettingsGetValue(settings, kSaveSettingsKey, &text) == pde::kPrintSettingsNoErr) {
    saveSettingsValue = leadingDecimalInteger(text);
  }
  applyPreference(preference.saveSettings, saveSettingsValue);

  for (const PanelOption& stored : kPanelOptions) {
    ppd_option_t* option = this->*stored.option;
    if (!option) continue;
    std::optional<std::string> keyword;
    if (sameModel && PMPrintSettingsGetValue(settings, stored.keyword, &text) == pde::kPrintSettingsNoErr) {
      keyword = text;
    } else {
      keyword = stringWithASCII(option->defchoice);
    }
    // A keyword that names no choice keeps the current choice.
    const std::int64_t index = IndexFromComputerReadableOptionNameChoice(option, keyword);
    if (index != -1) this->*stored.choice = index;
    applyPreference(preference.*stored.preference, this->*stored.choice);
  }
}
