#include "store/print_settings.h"

#include "toolkit/whole_file.h"

namespace pdehost {

int JsonPrintSettings::getValue(const std::string& key, std::string* value) const {
  auto found = entries_.find(key);
  if (found == entries_.end()) return pde::kPrintSettingsKeyNotFound;
  if (!found->second.value.is_string()) return kPrintSettingsValueNotText;
  if (value != nullptr) *value = found->second.value.get<std::string>();
  return pde::kPrintSettingsNoErr;
}

int JsonPrintSettings::setValue(const std::string& key, const std::string& value, bool locked) {
  entries_[key] = Entry{value, locked};
  return pde::kPrintSettingsNoErr;
}

bool JsonPrintSettings::isLocked(const std::string& key) const {
  auto found = entries_.find(key);
  return found != entries_.end() && found->second.locked;
}

nlohmann::json JsonPrintSettings::toJson() const {
  nlohmann::json out = nlohmann::json::object();
  for (const auto& [key, entry] : entries_) out[key] = entry.value;
  return out;
}

std::unique_ptr<JsonPrintSettings> JsonPrintSettings::fromJson(const nlohmann::json& object, std::string* error) {
  if (!object.is_object()) {
    if (error != nullptr) *error = "print settings must be a JSON object of texts";
    return nullptr;
  }
  auto settings = std::make_unique<JsonPrintSettings>();
  for (auto it = object.begin(); it != object.end(); ++it) settings->entries_[it.key()] = Entry{*it, false};
  return settings;
}

bool JsonPrintSettings::save(const std::filesystem::path& path, std::string* error) const {
  return toolkit::writeFileAtomically(path, toJson().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n",
                                      error);
}

std::unique_ptr<JsonPrintSettings> JsonPrintSettings::load(const std::filesystem::path& path, std::string* error,
                                                           std::uintmax_t largest) {
  const auto text = toolkit::readWholeFile(path, error, {largest, "too large to be print settings"});
  if (!text) return nullptr;
  nlohmann::json object;
  // Values nested deeper than this are refused: copying and writing JSON
  // values recurse once per level, and a file of nothing but brackets
  // would otherwise exhaust the stack.
  constexpr int kDeepestNesting = 256;
  bool tooDeep = false;
  auto depthGuard = [&](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
    if (depth > kDeepestNesting) tooDeep = true;
    return !tooDeep;
  };
  try {
    object = nlohmann::json::parse(*text, depthGuard);
  } catch (const nlohmann::json::exception& e) {
    // parse errors, and numbers too large for a double (out_of_range)
    if (error != nullptr) *error = path.string() + ": not valid JSON: " + e.what();
    return nullptr;
  }
  if (tooDeep) {
    if (error != nullptr)
      *error = path.string() + ": values nested deeper than " + std::to_string(kDeepestNesting) + " levels";
    return nullptr;
  }
  std::string problem;
  auto settings = fromJson(object, &problem);
  if (!settings && error != nullptr) *error = path.string() + ": " + problem;
  return settings;
}

}  // namespace pdehost
