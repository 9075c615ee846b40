// The job's print settings the host owns, as keyed texts.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "pde/plugin_protocol.h"

namespace pdehost {

// The status of reading an entry that holds something other than a text.
inline constexpr int kPrintSettingsValueNotText = -30872;

// Entries hold texts, or other JSON values kept exactly as they were loaded.
// A value that is not a text cannot be read as one: getValue answers
// kPrintSettingsValueNotText, so a panel falls back to its default, and
// setting the key replaces the value with a text.
class JsonPrintSettings : public pde::PrintSettings {
 public:
  int getValue(const std::string& key, std::string* value) const override;
  int setValue(const std::string& key, const std::string& value, bool locked) override;

  // {"key": value, ...}, every entry as it is held.
  nlohmann::json toJson() const;
  // A JSON object; its values are kept as they are. Anything but an object
  // is refused with `*error` set.
  static std::unique_ptr<JsonPrintSettings> fromJson(const nlohmann::json& object, std::string* error);
  // Writes toJson() to a file in place of the old one, which stays as it
  // was when the new one cannot be written; false with `*error` set then.
  bool save(const std::filesystem::path& path, std::string* error) const;
  // Reads a regular file of at most `largest` bytes.
  static constexpr std::uintmax_t kLargestFile = 8 * 1024 * 1024;
  static std::unique_ptr<JsonPrintSettings> load(const std::filesystem::path& path, std::string* error,
                                                 std::uintmax_t largest = kLargestFile);

  bool isLocked(const std::string& key) const;

  // Every entry of `other` in place of this one's (the object stays: the
  // panel holds on to it).
  void assign(const JsonPrintSettings& other) { entries_ = other.entries_; }

 private:
  struct Entry {
    nlohmann::json value;  // a text, or a value loaded as it was
    bool locked = false;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace pdehost
