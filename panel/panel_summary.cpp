// The print summary the dialog shows: one line per colour option the
// description offers, titled with the option's label and valued with the
// label of its current choice, in a fixed display order.
#include <array>
#include <cstring>
#include <string_view>

#include <nlohmann/json.hpp>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_options.h"
#include "pde_trace.h"

namespace {

constexpr const char* kSummaryDisplayOrderKey = "Summary Display Order";

constexpr std::array<std::string_view, 9> kDisplayOrderKeywords = {
    "VMCPPriority", "VMCScreen", "VMCSharpness", "VMSaveToner", "VMSmoothing",
    "VMCMode",      "VMCNGray",  "VMCPureB",     "VMCTrapping"};
constexpr auto kDisplayOrder = panelOptionsFor(kDisplayOrderKeywords);

// The position of the choice a current choice stands for. For a checkbox of
// a "True"/"False" pair the state means the keyword (1 "True", 0 "False"),
// wherever the description lists it; otherwise the current choice is the
// position itself. -1 when it stands for no choice.
std::int64_t choicePosition(const ppd_option_t* option, std::int64_t current) {
  if (!option->choices || current < 0 || current >= option->num_choices) return -1;
  if (option->ui == PPD_UI_BOOLEAN && option->num_choices >= 2) {
    const char* first = option->choices[0].choice;
    const char* second = option->choices[1].choice;
    const bool trueFirst = std::strcmp(first, "True") == 0 && std::strcmp(second, "False") == 0;
    const bool falseFirst = std::strcmp(first, "False") == 0 && std::strcmp(second, "True") == 0;
    if (trueFirst) return current == 0 ? 1 : 0;
    if (falseFirst) return current == 0 ? 0 : 1;
  }
  return current;
}

std::string summaryTitle(const ppd_option_t* option, StringEncoding encoding) {
  // A label that is empty or cannot be converted is shown by its keyword.
  auto label = stringWithEncoding(option->text, encoding);
  if (label && !label->empty()) return *label;
  return stringWithASCII(option->keyword).value_or("");
}

std::string summaryValue(const ppd_option_t* option, PDEChoiceArray* choices, std::int64_t current,
                         StringEncoding encoding) {
  const std::int64_t position = choicePosition(option, current);
  // A current choice that stands for no choice shows an empty value.
  if (!choices || position < 0 || position >= static_cast<std::int64_t>(choices->size())) return "";
  const PDEChoiceRef& record = (*choices)[static_cast<size_t>(position)];
  if (!record) return "";
  if (auto label = record->userTitle(encoding)) return *label;
  // A label that cannot be converted is shown by its choice keyword.
  return record->ppdTitle().value_or("");
}

}  // namespace

nlohmann::json VemraPrintPdeLX4200CO::summaryInfo() {
  _PDEProlog(this, "summaryInfo:");
  nlohmann::json summary = nlohmann::json::object();
  if (hasInited) {
    nlohmann::json order = nlohmann::json::array();
    for (const PanelOption* line : kDisplayOrder) {
      const ppd_option_t* option = this->*line->option;
      if (!option) continue;
      const std::string title = summaryTitle(option, ppdEncoding);
      summary[title] = summaryValue(option, (this->*line->choices).get(), this->*line->choice, ppdEncoding);
      order.push_back(title);
    }
    summary[kSummaryDisplayOrderKey] = std::move(order);
  }
  _PDEEpilog(this, "summaryInfo:=NSDictionary(%zu)", summary.size());
  return summary;
}
