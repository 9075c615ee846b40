// Named presets of the print settings, kept for the person: one JSON file
// per preset in the format save-settings writes, under
// $XDG_CONFIG_HOME/qvx/presets/MODEL/ (or ~/.config/...), so a preset
// follows the person to every queue of the same printer model. The
// settings a queue last printed with are kept beside them, per queue.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/print_settings.h"

namespace pdehost {

inline constexpr const char* kDefaultSettingsPreset = "Default Settings";
inline constexpr const char* kLastUsedSettingsPreset = "Last Used Settings";

struct PresetEntry {
  std::string name;              // as the person typed it; empty for an unusable file
  std::filesystem::path file;
  std::optional<std::string> problem;  // set for a file that cannot be used
};

class PresetStore {
 public:
  // $XDG_CONFIG_HOME/qvx/presets, else ~/.config/qvx/presets; empty when
  // neither variable is set.
  static std::filesystem::path defaultRoot();

  // The presets of one printer model (its *ModelName) under `root`.
  PresetStore(std::filesystem::path root, const std::string& model);
  const std::filesystem::path& folder() const { return folder_; }

  // Every preset file, usable ones by name, then the unusable ones with
  // the reason; an unreadable folder lists nothing.
  std::vector<PresetEntry> list() const;
  std::unique_ptr<JsonPrintSettings> load(const std::string& name, std::string* error) const;
  // Refuses a name that is taken (a broken file under it included) unless
  // `replace`, and the names of the built-in presets. Written atomically.
  bool save(const std::string& name, const JsonPrintSettings& settings, bool replace, std::string* error);
  bool remove(const std::string& name, std::string* error);

  bool saveLastUsed(const std::string& queue, const JsonPrintSettings& settings, std::string* error);
  // None (and no error) when nothing was printed to the queue yet.
  std::unique_ptr<JsonPrintSettings> loadLastUsed(const std::string& queue, std::string* error) const;

  // A file name for any name: letters, digits, '-' and '_' as they are,
  // every other byte as %XX, so two names never share a file.
  static std::string fileNameFor(const std::string& name);

 private:
  std::unique_ptr<JsonPrintSettings> read(const std::filesystem::path& file, const std::string* expectedName,
                                          std::string* name, std::string* error) const;
  bool write(const std::filesystem::path& file, const std::string& name, const JsonPrintSettings& settings,
             std::string* error) const;
  std::filesystem::path folder_;
};

}  // namespace pdehost
