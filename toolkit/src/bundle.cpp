#include "toolkit/bundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>

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

// "de_DE.UTF-8@euro" -> {"de_DE", "de"}; C and POSIX name no language.
void addLocale(std::string locale, std::vector<std::string>& out) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return;
  auto add = [&](const std::string& name) {
    if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
  };
  add(locale);
  auto underscore = locale.find('_');
  if (underscore != std::string::npos) add(locale.substr(0, underscore));
}

std::vector<std::string> environmentLocalizations() {
  std::vector<std::string> out;
  if (const char* language = std::getenv("LANGUAGE"); language != nullptr && *language != '\0') {
    std::string list = language;
    std::size_t start = 0;
    while (start <= list.size()) {
      auto end = list.find(':', start);
      if (end == std::string::npos) end = list.size();
      addLocale(list.substr(start, end - start), out);
      start = end + 1;
    }
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      addLocale(value, out);
      break;
    }
  }
  for (const char* fallback : {"en", "Base"}) {
    if (std::find(out.begin(), out.end(), fallback) == out.end()) out.emplace_back(fallback);
  }
  return out;
}

bool isDirectory(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

}  // namespace

Bundle::Bundle(fs::path path) : path_(std::move(path)), localizations_(environmentLocalizations()) {}

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
  fs::path folder = library.parent_path();
  if (folder.filename() == "MacOS" && folder.parent_path().filename() == "Contents")
    return bundleWithPath(folder.parent_path().parent_path());
  if (isDirectory(folder / "Contents" / "Resources")) return bundleWithPath(folder);
  return nullptr;
}

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

const StringsTable* Bundle::table(const std::string& name) const {
  auto cached = tables_.find(name);
  if (cached == tables_.end()) {
    std::optional<StringsTable> loaded;
    if (auto path = pathForResource(name, "strings")) {
      std::string error;
      loaded = loadStringsFile(*path, &error);
      if (!loaded) noteProblem("strings table " + error);
    } else {
      noteProblem("strings table \"" + name + "\" is missing from " + resourcePath().string());
    }
    cached = tables_.emplace(name, std::move(loaded)).first;
  }
  return cached->second ? &*cached->second : nullptr;
}

std::string Bundle::localizedStringForKey(const std::string& key, const std::string& value,
                                          const std::string& table) const {
  std::lock_guard lock(mutex_);
  const StringsTable* strings = this->table(table.empty() ? "Localizable" : table);
  if (strings != nullptr) {
    auto found = strings->find(key);
    if (found != strings->end()) return found->second;
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
