// Named presets as a person or a script uses them: list them, restore one
// into the panel, keep the panel's choices under a name, drop one.
// "Default Settings" (the queue's defaults) and "Last Used Settings" (what
// the queue last printed with from here) are built in.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "actions/result.h"
#include "store/preset_store.h"

namespace pdehost {

class HostSession;

// The presets of the session's printer model.
PresetStore presetStoreOf(const HostSession& session);

struct PresetListing {
  std::filesystem::path folder;
  std::vector<std::string> names;      // the person's presets, by name
  bool lastUsedAvailable = false;      // something was printed to the queue from here
  std::vector<PresetEntry> unusable;   // files that cannot be used, with the reason
};

Result<PresetListing> listPresets(const HostSession& session);

// The panel's own answer to the restore, and the error text it gave.
struct PresetRestored {
  bool restored = false;
  std::string panelError;
};

Result<PresetRestored> usePreset(HostSession& session, const std::string& name);

struct SavedPreset {
  std::filesystem::path folder;
};

Result<SavedPreset> savePreset(HostSession& session, const std::string& name, bool replace);
Result<Done> deletePreset(const HostSession& session, const std::string& name);

}  // namespace pdehost
