#include "toolkit/bundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>

#include "bundle_path/bundle_path.h"
#include "toolkit/layout_texts.h"
#include "toolkit/localizations.h"

namespace toolkit {
namespace fs = std::filesystem;
namespace {

// One Bundle per directory, as long as someone holds it.
std::mutex& registryMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<std::string, std::weak_ptr<Bundle>>& registry() {
  static std::map<std::string, std::weak_ptr<Bundle>> bundles;
  return bundles;
}

bool isDirectory(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

}  // namespace

Bundle::Bundle(fs::path path)
    : path_(std::move(path)), localizations_(localizationsForSettings(languageSettingsFromEnvironment())) {}

std::shared_ptr<Bundle> Bundle::bundleWithPath(const fs::path& path) {
  std::error_code ec;
  fs::path canonical = fs::canonical(path, ec);
  if (ec || !isDirectory(canonical)) return nullptr;
  std::lock_guard lock(registryMutex());
  auto& slot = registry()[canonical.string()];
  if (auto existing = slot.lock()) return existing;
  auto bundle = std::make_shared<Bundle>(canonical);
  slot = bundle;
  return bundle;
}

std::shared_ptr<Bundle> Bundle::bundleForAddress(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr) return nullptr;
  std::error_code ec;
  fs::path library = fs::canonical(info.dli_fname, ec);
  if (ec) return nullptr;
  if (auto bundle = qvx::bundle_path::bundleOfExecutable(library)) return bundleWithPath(*bundle);
  fs::path folder = library.parent_path();
  if (isDirectory(qvx::bundle_path::resourcesFolder(folder))) return bundleWithPath(folder);
  return nullptr;
}

fs::path Bundle::resourcePath() const { return qvx::bundle_path::resourcesFolder(path_); }

std::optional<fs::path> Bundle::pathForResource(std::string_view name, std::string_view extension) const {
  std::string file(name);
  if (!extension.empty()) file += "." + std::string(extension);
  if (file.empty() || file.find('/') != std::string::npos || file == "." || file == "..") return std::nullopt;
  std::lock_guard lock(pathsMutex_);
  if (auto found = foundPaths_.find(file); found != foundPaths_.end()) return found->second;
  std::error_code ec;
  std::optional<fs::path> found;
  for (const auto& localization : localizations_) {
    fs::path candidate = resourcePath() / (localization + ".lproj") / file;
    if (fs::is_regular_file(candidate, ec)) {
      found = std::move(candidate);
      break;
    }
  }
  if (!found) {
    fs::path candidate = resourcePath() / file;
    if (fs::is_regular_file(candidate, ec)) found = std::move(candidate);
  }
  if (found) foundPaths_.emplace(std::move(file), *found);
  return found;
}

const std::vector<StringsTable>& Bundle::tables(const std::string& name) const {
  auto cached = tables_.find(name);
  if (cached != tables_.end()) return cached->second;
  // Every localisation's table in preference order, then an unlocalised one,
  // so that a key missing from one table is looked up in the next.
  std::vector<fs::path> paths;
  std::error_code ec;
  const bool plainName = !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
  for (const auto& localization : localizations_)
    paths.push_back(resourcePath() / (localization + ".lproj") / (name + ".strings"));
  paths.push_back(resourcePath() / (name + ".strings"));
  std::vector<StringsTable> loaded;
  bool found = false;
  for (const auto& path : paths) {
    if (!plainName || !fs::is_regular_file(path, ec)) continue;
    found = true;
    std::string error;
    if (auto table = loadStringsFile(path, &error))
      loaded.push_back(std::move(*table));
    else
      noteProblem("strings table " + error);
  }
  if (!found) noteProblem("strings table \"" + name + "\" is missing from " + resourcePath().string());
  return tables_.emplace(name, std::move(loaded)).first->second;
}

std::string Bundle::localizedStringForKey(const std::string& key, const std::string& value,
                                          const std::string& table) const {
  std::lock_guard lock(mutex_);
  for (const StringsTable& strings : tables(table.empty() ? "Localizable" : table)) {
    auto found = strings.find(key);
    if (found != strings.end()) return found->second;
  }
  return value.empty() ? key : value;
}

bool Bundle::loadNibNamed(const std::string& name, LayoutOwner* owner,
                          std::vector<std::shared_ptr<View>>* topLevelObjects) const {
  auto path = pathForResource(name, "json");
  if (!path) {
    noteProblem("layout \"" + name + "\" is missing from " + resourcePath().string());
    return false;
  }
  std::string error;
  auto layout = loadLayoutFromFile(*path, owner, &error);
  if (!layout) {
    noteProblem("layout " + error);
    return false;
  }
  for (auto& warning : layout->warnings) noteProblem("layout " + warning);
  // The layout shows in the person's language, from the Localizable table.
  const TextLookup lookup = [this](const std::string& key) -> std::optional<std::string> {
    std::string text = localizedStringForKey(key, key, "");
    return text == key ? std::nullopt : std::optional<std::string>(std::move(text));
  };
  for (const auto& view : layout->topLevelObjects) localizeLayoutTexts(*view, lookup);
  if (topLevelObjects != nullptr) *topLevelObjects = std::move(layout->topLevelObjects);
  return true;
}

void Bundle::noteProblem(std::string problem) const {
  std::lock_guard lock(problemsMutex_);
  if (std::find(problems_.begin(), problems_.end(), problem) == problems_.end())
    problems_.push_back(std::move(problem));
}

std::vector<std::string> Bundle::problems() const {
  std::lock_guard lock(problemsMutex_);
  return problems_;
}

}  // namespace toolkit
