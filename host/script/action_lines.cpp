#include "script/action_lines.h"

namespace pdehost {
namespace {

using nlohmann::json;

json choicesJson(const std::vector<OptionChoice>& choices) {
  json out = json::array();
  for (const OptionChoice& c : choices) out.push_back({{"keyword", c.keyword}, {"choice", c.choice}});
  return out;
}

}  // namespace

CommandOutcome failedLine(const Failure& failure) { return CommandOutcome::failure(english(failure)); }

CommandOutcome printLine(const Result<PrintReceipt, PrintRefusal>& printed, const PrintRequest&) {
  if (!printed) {
    const PrintRefusal& refusal = printed.failure();
    CommandOutcome outcome = failedLine(refusal.failure);
    if (refusal.check) {
      outcome.line["conflicts"] = choicesJson(refusal.check->conflicts);
      outcome.line["unknownChoices"] = choicesJson(refusal.check->unknownChoices);
    }
    return outcome;
  }
  const PrintReceipt& receipt = printed.value();
  json sent = json::object();
  for (const JobOption& option : receipt.options) sent[option.name] = option.value;
  json names = json::array();
  for (const std::filesystem::path& file : receipt.files) names.push_back(file.string());
  CommandOutcome outcome = CommandOutcome::result(
      {{"job", receipt.job}, {"printer", receipt.printer}, {"options", sent}, {"files", names}});
  if (receipt.warning) outcome.line["warning"] = english(*receipt.warning);
  return outcome;
}

CommandOutcome saveDefaultsLine(const Result<SavedDefaults>& saved) {
  if (!saved) return failedLine(saved.failure());
  json options = json::object();
  for (const auto& [name, value] : saved.value().saved) options[name] = value;
  return CommandOutcome::result({{"printer", saved.value().printer}, {"saved", options}});
}

CommandOutcome printerLine(const PrinterDescription& description) {
  const PrinterInfo& info = description.printer;
  json out = {{"queue", info.queue ? json(*info.queue) : json(nullptr)},
              {"source", info.source},
              {"server", info.server},
              {"queues", info.lx4200Queues}};
  if (info.problem) out["problem"] = english(*info.problem);
  return CommandOutcome::result(out);
}

CommandOutcome presetsLine(const Result<PresetListing>& listing) {
  if (!listing) return failedLine(listing.failure());
  const PresetListing& found = listing.value();
  json named = json::array({{{"name", kDefaultSettingsPreset}, {"builtIn", true}}});
  named.push_back({{"name", kLastUsedSettingsPreset}, {"builtIn", true}, {"available", found.lastUsedAvailable}});
  for (const std::string& name : found.names) named.push_back({{"name", name}});
  json unusable = json::array();
  for (const PresetEntry& entry : found.unusable)
    unusable.push_back({{"file", entry.file.string()}, {"problem", entry.problem.value_or("")}});
  return CommandOutcome::result({{"folder", found.folder.string()}, {"presets", named}, {"unusable", unusable}});
}

CommandOutcome usePresetLine(const Result<PresetRestored>& used, const std::string& name) {
  if (!used) return failedLine(used.failure());
  CommandOutcome outcome = CommandOutcome::result(used.value().restored);
  outcome.line["preset"] = name;
  outcome.line["error"] = used.value().panelError.empty() ? json(nullptr) : json(used.value().panelError);
  return outcome;
}

CommandOutcome savePresetLine(const Result<SavedPreset>& saved, const std::string& name, bool replace) {
  if (!saved) return failedLine(saved.failure());
  return CommandOutcome::result({{"preset", name}, {"replaced", replace}, {"folder", saved.value().folder.string()}});
}

CommandOutcome deletePresetLine(const Result<Done>& deleted, const std::string& name) {
  if (!deleted) return failedLine(deleted.failure());
  return CommandOutcome::result({{"preset", name}, {"deleted", true}});
}

}  // namespace pdehost
