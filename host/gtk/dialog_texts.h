// The print dialog's own words (its title, captions, buttons, messages and
// the names a screen reader hears) in the languages the offices read:
// English, German and Portuguese. The English text is the key, so a text
// without a translation shows in English. Plain C++, tested without a
// display.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::gtk {

// One text in each language.
struct DialogText {
  std::string_view en;
  std::string_view de;
  std::string_view pt;
};

// Every text of the dialog, for checks of the translations.
const std::vector<DialogText>& dialogTexts();

// The language ("en", "de" or "pt") of the first of `localizations` (most
// wanted first, as toolkit::localizationsForSettings lists them) that the
// dialog speaks; English when it speaks none of them.
std::string_view dialogLanguageFor(const std::vector<std::string>& localizations);

// The language the dialog speaks from now on (English until set).
void useDialogLanguage(std::string_view language);
std::string_view dialogLanguage();

// `english` in the dialog's language; `english` itself when untranslated.
std::string tr(std::string_view english);

// tr(english) with each "{}" replaced by the next of `values`.
std::string trFormat(std::string_view english, std::initializer_list<std::string_view> values);

}  // namespace pdehost::gtk
