// The Utilities of the panel: choice keyword and index conversion, label
// localisation, the stored-model test, and the module's selection helpers.
#include <cstring>

#include "VemraPrintPdeLX4200CO.h"
#include "pde_trace.h"
#include "ppd_adapter.h"
#include "print_settings_text.h"

namespace {

bool isTrueFalsePair(const ppd_option_t* option) {
  const char* first = option->choices[0].choice;
  const char* second = option->choices[1].choice;
  return (std::strcmp(first, "True") == 0 && std::strcmp(second, "False") == 0) ||
         (std::strcmp(first, "False") == 0 && std::strcmp(second, "True") == 0);
}

// What NSScanner skips by default before scanning.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::optional<std::string> VemraPrintPdeLX4200CO::GetComputerReadableOptionNameItemIndex(ppd_option_t* option,
                                                                                        std::int64_t index) {
  if (!option || !option->choices || index < 0 || index >= option->num_choices) return std::nullopt;
  if (option->ui == PPD_UI_PICKMANY) return std::nullopt;
  if (option->ui == PPD_UI_BOOLEAN) {
    if (option->num_choices < 2) return std::nullopt;
    // A checkbox's state, whatever order the description lists the pair in.
    if (isTrueFalsePair(option)) return std::string(index == 0 ? "False" : "True");
  }
  std::optional<std::string> keyword = stringWithASCII(option->choices[index].choice);
  if (!keyword || keyword->empty()) return std::nullopt;
  return keyword;
}

std::int64_t VemraPrintPdeLX4200CO::IndexFromComputerReadableOptionNameChoice(
    ppd_option_t* option, const std::optional<std::string>& keyword) {
  if (!option || !keyword || option->ui == PPD_UI_PICKMANY) return -1;
  if (option->ui == PPD_UI_BOOLEAN) {
    if (*keyword == "False") return 0;
    if (*keyword == "True") return 1;
  }
  for (int i = 0; i < option->num_choices && option->choices; ++i) {
    if (stringWithASCII(option->choices[i].choice) == keyword) return i;
  }
  return -1;
}

std::optional<std::string> VemraPrintPdeLX4200CO::localizedStringValue(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const std::string& t = *text;
  size_t start = 0;
  while (start < t.size() && isBlank(t[start])) ++start;
  const size_t colon = t.find(':', start);
  const size_t end = colon == std::string::npos ? t.size() : colon;
  if (end == start) return t;  // empty, blank, or a colon first
  const std::string key = t.substr(start, end - start);
  std::string result = pdeBundle ? pdeBundle->localizedStringForKey(key, "", "") : key;
  if (colon != std::string::npos) result += ":";
  return result;
}

std::optional<std::string> VemraPrintPdeLX4200CO::localizedStringValue(const toolkit::View* control) {
  if (auto* field = dynamic_cast<const toolkit::TextField*>(control)) return localizedStringValue(field->stringValue());
  if (auto* box = dynamic_cast<const toolkit::Box*>(control)) return localizedStringValue(box->title());
  if (auto* button = dynamic_cast<const toolkit::Button*>(control)) return localizedStringValue(button->title());
  return std::nullopt;
}

bool VemraPrintPdeLX4200CO::CheckModelIsSame() {
  pde::PrintSettings* settings = pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr;
  if (!settings) return false;
  std::string stored;
  if (settings->getValue(kModelCodeKey, &stored) == pde::kPrintSettingsNoErr) {
    const int code = leadingDecimalInteger(stored);
    if (code != 0) return code == kPanelModelCode;
  }
  // Missing or 0: written without an output profile option, which this
  // configuration never has.
  return true;
}

bool VemraPrintPdeLX4200CO::CheckHardDisk() { return true; }

void VemraPrintPdeLX4200CO::updateArrow() {}

void VemraPrintPdeLX4200CO::updatePreview() {}

std::int64_t VemraPrintPdeLX4200CO::indexOfMarkedOptionForKeySetCurrent(ppd_option_t* option, const char* keyword,
                                                                        bool setCurrent) {
  ppd_choice_t* found = setCurrent ? ppdx::findMarkedChoice(ppd, keyword) : nullptr;
  if (!found && option) found = ppdx::findChoice(option, option->defchoice);
  if (found && option && option->choices) {
    for (int i = 0; i < option->num_choices; ++i) {
      if (&option->choices[i] == found || std::strcmp(option->choices[i].choice, found->choice) == 0) return i;
    }
  }
  _PDELog(this, "returning a -1 index means there was no default choice");
  return -1;
}

namespace {

PDEChoiceRef recordAt(const PDEChoiceArray* choices, std::int64_t index) {
  if (!choices || index < 0 || index >= static_cast<std::int64_t>(choices->size())) return nullptr;
  return (*choices)[static_cast<size_t>(index)];
}

}  // namespace

// Stores `record` unless the host, asked under constraint handling, refuses
// the change.
static void storeSelection(VemraPrintPdeLX4200CO& panel, PDEChoiceRef* selection, const PDEChoiceRef& record,
                           const std::string& key) {
  if (!selection) return;
  if (record && panel.useConstraintHandling && panel.pdePluginCallbackObject) {
    const std::string choice = record->ppdTitle().value_or("");
    if (!panel.pdePluginCallbackObject->willChangePPDOptionKeyValuePpdChoice(key, choice)) return;
  }
  *selection = record;
}

void VemraPrintPdeLX4200CO::getSelectionFromPopUpForKey(PDEChoiceRef* selection, toolkit::PopUpButton* popup,
                                                        const std::string& key) {
  if (!popup) return;
  PDEChoiceRef record;
  if (const toolkit::MenuItem* item = popup->selectedItem()) {
    if (const auto* held = std::any_cast<PDEChoiceRef>(&item->representedObject)) record = *held;
  }
  storeSelection(*this, selection, record, key);
}

void VemraPrintPdeLX4200CO::getSelectionFromChoicesFromButtonForKey(PDEChoiceRef* selection,
                                                                    const PDEChoiceArray* choices,
                                                                    toolkit::Button* button, const std::string& key) {
  if (!button) return;
  storeSelection(*this, selection, recordAt(choices, button->state()), key);
}

void VemraPrintPdeLX4200CO::getSelectionFromChoicesFromIndexForKey(PDEChoiceRef* selection,
                                                                   const PDEChoiceArray* choices, std::int64_t index,
                                                                   const std::string& key) {
  storeSelection(*this, selection, recordAt(choices, index), key);
}
