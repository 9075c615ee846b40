#include "page_json.h"

#include <algorithm>

namespace pdehost::page {

using nlohmann::json;

json optionsJson(const PageOptionModel& model, std::string_view language) {
  json options = json::array();
  for (const PageOption& option : model.options) {
    json choices = json::array();
    for (const PageChoice& choice : option.choices) {
      json entry = {{"choice", choice.keyword}, {"text", choice.text}};
      if (choice.blockedBy) entry["notAllowed"] = whyNotAllowed(option, choice, language);
      choices.push_back(std::move(entry));
    }
    options.push_back({{"keyword", option.keyword},
                       {"text", option.text},
                       {"control", option.control == OptionControl::Checkbox ? "checkbox" : "popup"},
                       {"current", option.current},
                       {"choices", std::move(choices)}});
  }
  json installed = json::array();
  for (const PageOption& option : model.installed) {
    const auto current = std::ranges::find(option.choices, option.current, &PageChoice::keyword);
    installed.push_back({{"keyword", option.keyword},
                         {"text", option.text},
                         {"current", option.current},
                         {"currentText", current != option.choices.end() ? current->text : option.current}});
  }
  return {{"options", std::move(options)}, {"installed", std::move(installed)}};
}

json layoutJson(const PageLayout& layout) {
  return {{"pages", layout.pages.empty() ? "all" : pageRangesOption(layout.pages)},
          {"perSheet", layout.perSheet},
          {"orientation", orientationName(layout.orientation)},
          {"fit", layout.fitToPage},
          {"reverse", layout.reverse},
          {"collate", layout.collate}};
}

}  // namespace pdehost::page
