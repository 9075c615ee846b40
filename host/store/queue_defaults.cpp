#include "store/queue_defaults.h"

#include "page_layout.h"

namespace pdehost {

OptionList printerOptionsIn(const PpdDocument& ppd, const OptionList& options) {
  OptionList out;
  for (const auto& [name, value] : options) {
    if (ppd.hasChoice(name, value)) out.emplace_back(name, value);
  }
  return out;
}

OptionList textEntriesOf(const JsonPrintSettings& settings) {
  OptionList out;
  const nlohmann::json entries = settings.toJson();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->is_string()) out.emplace_back(it.key(), it->get<std::string>());
  }
  return out;
}

OptionList startFromQueueDefaults(JsonPrintSettings& settings, PpdDocument& ppd, const OptionList& queueDefaults) {
  OptionList applied;
  for (const auto& [name, value] : printerOptionsIn(ppd, queueDefaults)) {
    if (!ppd.markIfNoNewConflict(name, value)) continue;
    settings.setValue(name, value, false);
    applied.emplace_back(name, value);
  }
  // Pages per sheet, orientation and the like, as lpoptions keeps them.
  for (const auto& [name, value] : queueDefaults) {
    if (!page::isKeptLayoutOption(name)) continue;
    settings.setValue(name, value, false);
    applied.emplace_back(name, value);
  }
  return applied;
}

}  // namespace pdehost
