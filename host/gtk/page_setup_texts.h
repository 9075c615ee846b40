// The words of the Page Setup pane and the documents list, in English,
// German and Portuguese, kept in the same table shape as the dialog's own.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "page_words.h"

namespace pdehost::gtk {

// Every row, for checks of the translations.
const std::vector<page::LanguageText>& pageSetupTexts();

// `english` in `language`, each "{}" filled with the next of `values`.
std::string pageSetupText(std::string_view language, std::string_view english,
                          std::initializer_list<std::string_view> values = {});

}  // namespace pdehost::gtk
