// Which localisations a person's language settings ask for, most wanted
// first, the way gettext reads them: LANGUAGE's list, then the locale of
// messages (LC_ALL, else LC_MESSAGES, else LANG).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {

// The language variables by name, e.g. {"LANG", "de_DE.UTF-8"}; a missing
// or empty variable is unset.
using LanguageSettings = std::map<std::string, std::string, std::less<>>;

// The localisations asked for, each region before its bare language
// ("de_DE" before "de"), without duplicates, then the development language
// "en" and "Base". Codesets and modifiers are dropped ("pt_PT.UTF-8@euro" is
// "pt_PT"); "C" and "POSIX" name no language.
std::vector<std::string> localizationsForSettings(const LanguageSettings& settings);

// LANGUAGE, LC_ALL, LC_MESSAGES and LANG as this process has them.
LanguageSettings languageSettingsFromEnvironment();

}  // namespace toolkit
