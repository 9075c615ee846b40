// What the page options, the page ranges and the documents tell a person,
// in the dialog's languages (English, German, Portuguese). The English text
// is the key; a text without a translation shows in English. Scripts and the
// window word the same refusals with these.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::page {

struct LanguageText {
  std::string_view en;
  std::string_view de;
  std::string_view pt;
};

// `english` in `language` ("en", "de", "pt") from `table`, each "{}" replaced
// by the next of `values`; `english` itself (filled) when the table has no
// row for it.
std::string wordsIn(const std::vector<LanguageText>& table, std::string_view language, std::string_view english,
                    std::initializer_list<std::string_view> values = {});

// The rows of this file's own words, for checks of the translations.
const std::vector<LanguageText>& pageWords();

// wordsIn(pageWords(), ...).
std::string pageWords(std::string_view language, std::string_view english,
                      std::initializer_list<std::string_view> values = {});

}  // namespace pdehost::page
