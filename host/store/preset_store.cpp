#include "store/preset_store.h"

#include <algorithm>
#include <cstdlib>

#include "cups/percent_encoding.h"
#include "toolkit/whole_file.h"
#include "utf8/utf8.h"

namespace pdehost {
namespace fs = std::filesystem;
namespace {

// The name lives in the file, beside the settings; it is not a setting.
constexpr const char* kNameKey = "qvx.preset.name";
constexpr std::uintmax_t kLargestFile = 1024 * 1024;
constexpr std::size_t kLongestFileName = 250;

void setError(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
}

}  // namespace

fs::path PresetStore::defaultRoot() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/')
    return fs::path(config) / "qvx" / "presets";
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".config" / "qvx" / "presets";
  return {};
}

PresetStore::PresetStore(fs::path root, const std::string& model)
    : folder_(std::move(root) / fileNameFor(model.empty() ? "unknown model" : model)) {}

std::string PresetStore::fileNameFor(const std::string& name) { return percentEncoded(name); }

std::unique_ptr<JsonPrintSettings> PresetStore::read(const fs::path& file, const std::string* expectedName,
                                                     std::string* name, std::string* error) const {
  std::string problem;
  auto loaded = JsonPrintSettings::load(file, &problem, kLargestFile);
  if (!loaded) {
    setError(error, problem);
    return nullptr;
  }
  nlohmann::json entries = loaded->toJson();
  auto named = entries.find(kNameKey);
  if (named == entries.end() || !named->is_string() || named->get<std::string>().empty()) {
    setError(error, file.string() + ": not a preset (it has no name)");
    return nullptr;
  }
  const std::string inside = named->get<std::string>();
  if (fileNameFor(inside) + ".json" != file.filename().string()) {
    setError(error, file.string() + ": holds the preset \"" + inside + "\", which belongs in another file");
    return nullptr;
  }
  if (expectedName != nullptr && inside != *expectedName) {
    setError(error, file.string() + ": holds the preset \"" + inside + "\"");
    return nullptr;
  }
  entries.erase(kNameKey);
  if (name != nullptr) *name = inside;
  return JsonPrintSettings::fromJson(entries, error);
}

bool PresetStore::write(const fs::path& file, const std::string& name, const JsonPrintSettings& settings,
                        std::string* error) const {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) {
    setError(error, file.parent_path().string() + ": cannot be made: " + ec.message());
    return false;
  }
  nlohmann::json entries = settings.toJson();
  entries[kNameKey] = name;
  // A reader sees the old preset or the new one, never half of one.
  return toolkit::writeFileAtomically(file, entries.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n",
                                      error);
}

std::vector<PresetEntry> PresetStore::list() const {
  std::vector<PresetEntry> usable, unusable;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path file = it->path();
    const std::string fileName = file.filename().string();
    if (fileName.empty() || fileName[0] == '.' || file.extension() != ".json") continue;
    PresetEntry entry{"", file, std::nullopt};
    std::string problem;
    if (!it->is_regular_file(ec) || !read(file, nullptr, &entry.name, &problem)) {
      entry.problem = problem.empty() ? file.string() + ": not a file" : problem;
      unusable.push_back(std::move(entry));
    } else {
      usable.push_back(std::move(entry));
    }
  }
  std::sort(usable.begin(), usable.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::sort(unusable.begin(), unusable.end(), [](const auto& a, const auto& b) { return a.file < b.file; });
  usable.insert(usable.end(), unusable.begin(), unusable.end());
  return usable;
}

std::unique_ptr<JsonPrintSettings> PresetStore::load(const std::string& name, std::string* error) const {
  const fs::path file = folder_ / (fileNameFor(name) + ".json");
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    setError(error, "there is no preset named \"" + name + "\"");
    return nullptr;
  }
  return read(file, &name, nullptr, error);
}

bool PresetStore::save(const std::string& name, const JsonPrintSettings& settings, bool replace,
                       std::string* error) {
  if (name.empty()) {
    setError(error, "a preset needs a name");
    return false;
  }
  if (name == kDefaultSettingsPreset || name == kLastUsedSettingsPreset) {
    setError(error, "\"" + name + "\" is the name of a built-in preset");
    return false;
  }
  if (!qvx::utf8::isValid(name)) {
    setError(error, "a preset name must be UTF-8 text");
    return false;
  }
  const std::string fileName = fileNameFor(name) + ".json";
  if (fileName.size() > kLongestFileName) {
    setError(error, "the preset name is too long: its file name would take " + std::to_string(fileName.size()) +
                        " bytes, at most " + std::to_string(kLongestFileName));
    return false;
  }
  const fs::path file = folder_ / fileName;
  std::error_code ec;
  if (!replace && fs::exists(file, ec)) {
    setError(error, "a preset named \"" + name + "\" exists already (save-preset --replace replaces it)");
    return false;
  }
  return write(file, name, settings, error);
}

bool PresetStore::remove(const std::string& name, std::string* error) {
  const fs::path file = folder_ / (fileNameFor(name) + ".json");
  std::error_code ec;
  if (!fs::remove(file, ec)) {
    setError(error, ec ? file.string() + ": cannot be removed: " + ec.message()
                       : "there is no preset named \"" + name + "\"");
    return false;
  }
  return true;
}

bool PresetStore::saveLastUsed(const std::string& queue, const JsonPrintSettings& settings, std::string* error) {
  return write(folder_ / "last-used" / (fileNameFor(queue) + ".json"), queue, settings, error);
}

std::unique_ptr<JsonPrintSettings> PresetStore::loadLastUsed(const std::string& queue, std::string* error) const {
  const fs::path file = folder_ / "last-used" / (fileNameFor(queue) + ".json");
  std::error_code ec;
  if (!fs::exists(file, ec)) return nullptr;
  return read(file, &queue, nullptr, error);
}

}  // namespace pdehost
