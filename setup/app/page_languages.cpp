#include "page_languages.h"

#include <webkit2/webkit2.h>

#include <algorithm>

namespace qvx {

std::vector<std::string> pageLanguages(const std::vector<std::string>& localeNames) {
  std::vector<std::string> out;
  for (const std::string& name : localeNames) {
    if (name.empty() || name == "C" || name == "POSIX" || name.find_first_of(".@") != std::string::npos) continue;
    std::string tag = name;
    std::replace(tag.begin(), tag.end(), '_', '-');
    if (std::find(out.begin(), out.end(), tag) == out.end()) out.push_back(std::move(tag));
  }
  return out;
}

void setPageLanguages() {
  std::vector<std::string> names;
  for (const gchar* const* name = g_get_language_names(); *name != nullptr; ++name) names.emplace_back(*name);
  const std::vector<std::string> languages = pageLanguages(names);
  if (languages.empty()) return;
  std::vector<const gchar*> list;
  for (const std::string& language : languages) list.push_back(language.c_str());
  list.push_back(nullptr);
  webkit_web_context_set_preferred_languages(webkit_web_context_get_default(), list.data());
}

}  // namespace qvx
