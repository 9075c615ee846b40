#include "actions/preset_actions.h"

#include "cups/print_job.h"
#include "session/host_session.h"

namespace pdehost {
namespace {

// Presets live under the person's configuration folder; without HOME or
// XDG_CONFIG_HOME there is none.
std::optional<Failure> noStore() {
  if (!PresetStore::defaultRoot().empty()) return std::nullopt;
  return Failure{FailureKind::noPresetFolder, {}, {}};
}

Failure noSettings() { return {FailureKind::noSettings, {}, {}}; }

}  // namespace

PresetStore presetStoreOf(const HostSession& session) {
  return PresetStore(PresetStore::defaultRoot(), session.ppd() != nullptr ? session.ppd()->modelName() : "");
}

Result<PresetListing> listPresets(const HostSession& session) {
  if (auto refused = noStore()) return *refused;
  const PresetStore store = presetStoreOf(session);
  PresetListing listing{store.folder(), {}, false, {}};
  std::string ignored;
  const std::optional<std::string>& queue = session.printer().queue;
  listing.lastUsedAvailable = queue && store.loadLastUsed(*queue, &ignored) != nullptr;
  for (PresetEntry& entry : store.list()) {
    if (entry.problem) {
      listing.unusable.push_back(std::move(entry));
    } else {
      listing.names.push_back(std::move(entry.name));
    }
  }
  return listing;
}

Result<PresetRestored> usePreset(HostSession& session, const std::string& name) {
  if (session.settings() == nullptr) return noSettings();
  std::string error;
  std::unique_ptr<JsonPrintSettings> preset;
  if (name == kDefaultSettingsPreset) {
    preset = std::make_unique<JsonPrintSettings>();
    for (const auto& [option, choice] : session.queueDefaults()) preset->setValue(option, choice, false);
  } else if (name == kLastUsedSettingsPreset) {
    const std::optional<std::string>& queue = session.printer().queue;
    if (queue) preset = presetStoreOf(session).loadLastUsed(*queue, &error);
    if (!preset) {
      if (!error.empty()) return because(error);
      if (queue) return Failure{FailureKind::nothingPrintedTo, {{"queue", *queue}}, {}};
      return Failure{FailureKind::nothingPrintedHere, {}, {}};
    }
  } else {
    if (auto refused = noStore()) return *refused;
    preset = presetStoreOf(session).load(name, &error);
    if (!preset) return because(error);
  }
  session.settings()->assign(*preset);
  // The description's marks follow the settings, so the panel's questions
  // about conflicts are answered against them.
  if (session.ppd() != nullptr) {
    if (auto options = jobOptionsFromSettings(*session.settings(), nullptr))
      markJobOptions(session.ppd()->file(), *options);
  }
  PresetRestored restored;
  restored.restored = session.panel().restoreValuesAndReturnError(&restored.panelError);
  return restored;
}

Result<SavedPreset> savePreset(HostSession& session, const std::string& name, bool replace) {
  if (auto refused = noStore()) return *refused;
  if (session.settings() == nullptr) return noSettings();
  std::string error;
  session.panel().saveValuesAndReturnError(&error);  // the panel's choices into the settings first
  PresetStore store = presetStoreOf(session);
  if (!store.save(name, *session.settings(), replace, &error)) return because(error);
  return SavedPreset{store.folder()};
}

Result<Done> deletePreset(const HostSession& session, const std::string& name) {
  if (auto refused = noStore()) return *refused;
  if (name == kDefaultSettingsPreset || name == kLastUsedSettingsPreset)
    return Failure{FailureKind::builtInPreset, {{"preset", name}}, {}};
  std::string error;
  if (!presetStoreOf(session).remove(name, &error)) return because(error);
  return Done{};
}

}  // namespace pdehost
