#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "dialog_texts.h"
#include "failure_texts.h"

namespace pdehost::gtk {
namespace {

TEST(DialogLanguage, FollowsTheFirstLanguageTheDialogSpeaks) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"de_AT", "de", "en", "Base"}, "de"},
      {{"fr_FR", "fr", "pt_PT", "pt", "en", "Base"}, "pt"},  // LANGUAGE=fr:pt
      {{"en_GB", "en", "de", "Base"}, "en"},
      {{"ja_JP", "ja"}, "en"},
  };
  for (const auto& [localizations, expected] : cases) EXPECT_EQ(dialogLanguageFor(localizations), expected);
}

std::size_t count(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// The letter after '_', lower case, or 0 when the text has none.
char mnemonic(std::string_view text) {
  const auto at = text.find('_');
  if (at == std::string_view::npos || at + 1 >= text.size()) return 0;
  return static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + 1])));
}

TEST(DialogTexts, EveryTextHasBothTranslationsWithItsHolesAndOneAsciiMnemonic) {
  for (const DialogText& text : dialogTexts()) {
    for (std::string_view translated : {text.de, text.pt}) {
      SCOPED_TRACE(std::string(text.en) + " -> " + std::string(translated));
      ASSERT_FALSE(translated.empty());
      EXPECT_EQ(count(translated, "{}"), count(text.en, "{}"));
      EXPECT_EQ(count(translated, "_"), count(text.en, "_"));
      if (mnemonic(text.en) != 0) {
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(mnemonic(translated))));
      }
    }
  }
}

TEST(DialogTexts, NoTwoControlsOfOneWindowShareAMnemonic) {
  const std::vector<std::vector<std::string_view>> windows = {
      {"P_rinter:", "C_opies:", "Save as _Default", "_Cancel", "_Print", "Pre_sets"},
      {"Preset _name:", "_Cancel", "_Save"},
      {"_Preset:", "_Cancel", "_Delete"},
  };
  for (std::string_view language : {"en", "de", "pt"}) {
    useDialogLanguage(language);
    for (const auto& window : windows) {
      std::string letters;
      for (std::string_view text : window) letters += mnemonic(tr(text));
      std::string sorted = letters;
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << language << ": " << letters;
    }
  }
  useDialogLanguage("en");
}

TEST(DialogTexts, TranslatesFillsHolesAndLeavesUnknownTextsInEnglish) {
  useDialogLanguage("de");
  EXPECT_EQ(tr("Summary"), "Übersicht");
  EXPECT_EQ(trFormat("Could not print: {}", {"no paper"}), "Drucken nicht möglich: no paper");
  EXPECT_EQ(tr("A text nobody translated"), "A text nobody translated");
  // A failure the printing service gave, with its values kept.
  EXPECT_EQ(wordedForDialog({FailureKind::serverUnreachable, {{"server", "localhost:631"}}, {}}),
            "der CUPS-Server localhost:631 ist nicht erreichbar");
  EXPECT_EQ(wordedForDialog({FailureKind::serverSilent,
                             {{"server", "s"}, {"seconds", "3"}, {"request", "listing the printers of x"}},
                             {}}),
            "der CUPS-Server s hat nicht binnen 3 s geantwortet (listing the printers of x)");
  EXPECT_EQ(wordedForDialog(because("listing 2 of 3 failed")), "listing 2 of 3 failed");
  // Further clauses in the same language; a value's braces are not holes.
  EXPECT_EQ(wordedForDialog({FailureKind::noSuchQueueHere,
                             {{"queue", "{queues}"}},
                             {{FailureKind::qvxPrintersHere, {{"queues", "A B"}}, {}}}}),
            "es gibt keine CUPS-Warteschlange „{queues}“; die QVX-Drucker hier sind: A B");
  useDialogLanguage("pt");
  EXPECT_EQ(trFormat("{} of {}", {"2", "4"}), "2 de 4");
  useDialogLanguage("en");
  EXPECT_EQ(trFormat("Saved the preset \"{}\".", {"Photos {}"}), "Saved the preset \"Photos {}\".");
}

}  // namespace
}  // namespace pdehost::gtk
