// A folder bundle: NAME.plugin/Contents/{MacOS,Resources}, with layouts and
// localisation tables (<lang>.lproj/<table>.strings) among its resources.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/layout_loader.h"
#include "toolkit/strings_file.h"

namespace toolkit {

class Bundle {
 public:
  // The bundle at `path` (a directory), or null. One instance per directory
  // for the life of the process, shared by everyone who asks for it.
  static std::shared_ptr<Bundle> bundleWithPath(const std::filesystem::path& path);
  // The bundle whose executable holds `address` (a function or object of a
  // loaded library), found from the library's own file: a library at
  // B/Contents/MacOS/NAME or directly in a folder B with a Contents/Resources
  // folder belongs to B. Null when the library sits in no bundle.
  static std::shared_ptr<Bundle> bundleForAddress(const void* address);

  const std::filesystem::path& bundlePath() const { return path_; }
  std::filesystem::path resourcePath() const;

  // Localisations tried in order: those of the environment's language
  // (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), then "en", then "Base".
  const std::vector<std::string>& preferredLocalizations() const { return localizations_; }

  // A resource named NAME.EXT (EXT may be empty): first in a preferred
  // <lang>.lproj folder, then in Resources itself.
  std::optional<std::filesystem::path> pathForResource(std::string_view name,
                                                       std::string_view extension) const;

  // The text for `key` in the table `table` ("Localizable" when empty) of
  // the first preferred localisation whose table has the key. A key no table
  // has gives `value`, or the key itself when `value` is empty.
  std::string localizedStringForKey(const std::string& key, const std::string& value,
                                    const std::string& table) const;

  // Loads the layout NAME.json with `owner` connected to it. False when the
  // layout is missing or malformed (see problems()). The views live as long
  // as someone holds them: the owner's outlets, or `topLevelObjects`.
  bool loadNibNamed(const std::string& name, LayoutOwner* owner,
                    std::vector<std::shared_ptr<View>>* topLevelObjects) const;

  // Every missing or malformed layout and table met so far, each once, and
  // every warning of loaded layouts, in the order met: for hosts to report.
  std::vector<std::string> problems() const;

  explicit Bundle(std::filesystem::path path);  // use bundleWithPath()

 private:
  void noteProblem(std::string problem) const;
  // The loadable tables named `name`, most preferred first; caller holds mutex_.
  const std::vector<StringsTable>& tables(const std::string& name) const;

  std::filesystem::path path_;
  std::vector<std::string> localizations_;
  mutable std::mutex mutex_;  // guards tables_
  mutable std::map<std::string, std::vector<StringsTable>, std::less<>> tables_;
  mutable std::mutex pathsMutex_;  // guards foundPaths_
  // Resources found so far by file name: a bundle's contents do not move,
  // and a panel looks its layout up each time it is created.
  mutable std::map<std::string, std::filesystem::path, std::less<>> foundPaths_;
  mutable std::mutex problemsMutex_;  // guards problems_
  mutable std::vector<std::string> problems_;
};

}  // namespace toolkit
