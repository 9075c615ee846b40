// The languages the setup page is asked for: the person's, as GLib reads
// them from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, written as WebKit (and
// the page's navigator.languages) takes them.
#pragma once

#include <string>
#include <vector>

namespace qvx {

// "de_DE.UTF-8", "de_DE", "de", "C" becomes "de-DE", "de": codesets and
// modifiers, "C" and "POSIX" are left out, repeats kept once, order kept.
std::vector<std::string> pageLanguages(const std::vector<std::string>& localeNames);

// Hands the person's languages to WebKit's default context; call it before
// the page view is made. Leaves WebKit's own choice when there are none.
void setPageLanguages();

}  // namespace qvx
