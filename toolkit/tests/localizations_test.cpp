#include "toolkit/localizations.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(Localizations, FollowTheLanguageSettings) {
  struct Case {
    LanguageSettings settings;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{}, {"en", "Base"}},
      {{{"LANG", "de_DE.UTF-8"}}, {"de_DE", "de", "en", "Base"}},
      {{{"LANG", "pt_PT.UTF-8@euro"}}, {"pt_PT", "pt", "en", "Base"}},
      {{{"LANGUAGE", "de"}}, {"de", "en", "Base"}},
      // LANGUAGE's list comes first, then the locale; each name once.
      {{{"LANGUAGE", "pt_BR:de::fr_FR"}, {"LANG", "de_DE.UTF-8"}},
       {"pt_BR", "pt", "de", "fr_FR", "fr", "de_DE", "en", "Base"}},
      // LC_ALL, then LC_MESSAGES, then LANG: only the first one set counts.
      {{{"LC_ALL", "pt_PT"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "fr_FR"}}, {"pt_PT", "pt", "en", "Base"}},
      {{{"LC_MESSAGES", "de_AT.UTF-8"}, {"LANG", "fr_FR"}}, {"de_AT", "de", "en", "Base"}},
      {{{"LC_ALL", ""}, {"LANG", "de_CH"}}, {"de_CH", "de", "en", "Base"}},
      // C and POSIX name no language, and LC_ALL=C hides LANG.
      {{{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, {"en", "Base"}},
      {{{"LANGUAGE", "POSIX:de"}, {"LANG", "C.UTF-8"}}, {"de", "en", "Base"}},
      {{{"LANG", "en_GB.UTF-8"}}, {"en_GB", "en", "Base"}},
  };
  for (const auto& c : cases) {
    std::string described;
    for (const auto& [name, value] : c.settings) described += name + "=" + value + " ";
    EXPECT_EQ(localizationsForSettings(c.settings), c.expected) << described;
  }
}

}  // namespace
}  // namespace toolkit
