// The description's labels in the person's language: its own translations,
// label by label, from the first localisation that has one.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <gtest/gtest.h>

#include <fstream>

#include "cups/ppd_document.h"
#include "temp_dir.h"

namespace pdehost {
namespace {

const char* kTranslated = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TEST.PPD"
*Manufacturer: "Test"
*Product: "(Test)"
*ModelName: "Test"
*ShortNickName: "Test"
*NickName: "Test"
*PSVersion: "(3010.000) 0"
*cupsLanguages: "de de_AT pt"
*OpenGroup: ImageQuality/Image Quality
*OpenUI *VMCMode/Color Mode: PickOne
*DefaultVMCMode: Color
*VMCMode Color/Color: ""
*VMCMode Gray/Grayscale: ""
*CloseUI: *VMCMode
*CloseGroup: ImageQuality
*de.Translation ImageQuality/Bildqualität einer sehr langen Gruppeüberschrift: ""
*de.Translation VMCMode/Farbmodus: ""
*de.VMCMode Gray/Graustufen: ""
*de_AT.VMCMode Gray/Graustufen (AT): ""
*pt.Translation VMCMode/Modo de cor: ""
*pt.VMCMode Gray/Escala de cinzentos: ""
*pt.VMCMode Color/Cor)PPD" "\xE9" R"PPD(: ""
)PPD";

struct Labels {
  std::string group, option, color, gray;
  bool operator==(const Labels&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Labels& l) {
  return out << l.group << " | " << l.option << " | " << l.color << " | " << l.gray;
}

Labels localized(const std::vector<std::string>& localizations) {
  const qvx::test::TempDir dir;
  const std::string path = dir.write("translated.ppd", kTranslated).string();
  std::string error;
  auto ppd = PpdDocument::open(path, &error);
  EXPECT_TRUE(ppd) << error;
  if (!ppd) return {};
  ppd->localize(localizations);
  ppd_option_t* option = ppdFindOption(ppd->file(), "VMCMode");
  return {ppd->file()->groups[0].text, option->text, option->choices[0].text, option->choices[1].text};
}

TEST(PpdLocalize, EachLabelFromTheFirstLocalizationThatTranslatesIt) {
  const std::vector<std::pair<std::vector<std::string>, Labels>> cases = {
      // A region's own label before its language's; a label it lacks from the
      // language, or the file's own. A label too long for libcups' group
      // buffer is cut between characters.
      {{"de_AT", "de", "en", "Base"},
       {"Bildqualität einer sehr langen Gruppe", "Farbmodus", "Color", "Graustufen (AT)"}},
      // The person's first language wins even when another comes later; a
      // translation that is not UTF-8 is left out. The group, which Portuguese
      // does not translate, comes from German.
      {{"fr", "pt", "de", "en", "Base"},
       {"Bildqualität einer sehr langen Gruppe", "Modo de cor", "Color", "Escala de cinzentos"}},
      // From English on, the description's own labels stay.
      {{"en_GB", "en", "de", "Base"}, {"Image Quality", "Color Mode", "Color", "Grayscale"}},
  };
  for (const auto& [localizations, expected] : cases) EXPECT_EQ(localized(localizations), expected) << localizations[0];
}

}  // namespace
}  // namespace pdehost
