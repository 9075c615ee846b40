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

class JsonPrintSettings : public pde::PrintSettings {
 public:
  int getValue(const std::string& key, std::string* value) const override;
  int setValue(const std::string& key, const std::string& value, bool locked) override;

  // {"key": "value", ...}
  nlohmann::json toJson() const;
  // A JSON object whose values are texts or integers (taken as decimal
  // text); anything else is refused with `*error` set.
  static std::unique_ptr<JsonPrintSettings> fromJson(const nlohmann::json& object, std::string* error);
  static std::unique_ptr<JsonPrintSettings> load(const std::filesystem::path& path, std::string* error);

  bool isLocked(const std::string& key) const;

 private:
  struct Entry {
    std::string value;
    bool locked = false;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace pdehost
