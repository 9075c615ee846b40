#include "toolkit/localizations.h"

#include <algorithm>
#include <cstdlib>

namespace toolkit {
namespace {

std::string_view valueOf(const LanguageSettings& settings, std::string_view name) {
  auto found = settings.find(name);
  return found != settings.end() ? std::string_view(found->second) : std::string_view();
}

void addOnce(std::string name, std::vector<std::string>& out) {
  if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(std::move(name));
}

// "de_DE.UTF-8@euro" adds "de_DE" then "de".
void addLocale(std::string_view locale, std::vector<std::string>& out) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return;
  addOnce(std::string(locale), out);
  if (auto underscore = locale.find('_'); underscore != std::string_view::npos && underscore > 0)
    addOnce(std::string(locale.substr(0, underscore)), out);
}

}  // namespace

std::vector<std::string> localizationsForSettings(const LanguageSettings& settings) {
  std::vector<std::string> out;
  std::string_view list = valueOf(settings, "LANGUAGE");
  while (!list.empty()) {
    auto colon = list.find(':');
    addLocale(list.substr(0, colon), out);
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  // Only the first variable that is set counts, as for setlocale(): LC_ALL=C
  // means untranslated messages whatever LANG says.
  for (std::string_view name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (std::string_view value = valueOf(settings, name); !value.empty()) {
      addLocale(value, out);
      break;
    }
  }
  addOnce("en", out);
  addOnce("Base", out);
  return out;
}

LanguageSettings languageSettingsFromEnvironment() {
  LanguageSettings settings;
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') settings.emplace(name, value);
  return settings;
}

}  // namespace toolkit
