// The description's labels in the person's language: its own translations,
// label by label, from the first localisation that has one.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <gtest/gtest.h>

#include <fstream>

#include "ppd_document.h"
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
};

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
  // A region's own label before its language's; a label it lacks from the language.
  Labels austrian = localized({"de_AT", "de", "en", "Base"});
  EXPECT_EQ(austrian.option, "Farbmodus");
  EXPECT_EQ(austrian.gray, "Graustufen (AT)");
  EXPECT_EQ(austrian.color, "Color");  // no translation: the file's label
  // A label too long for libcups' group buffer is cut between characters.
  EXPECT_EQ(austrian.group, "Bildqualität einer sehr langen Gruppe");

  // The person's first language wins even when another comes later; a
  // translation that is not UTF-8 is left out.
  Labels portuguese = localized({"fr", "pt", "de", "en", "Base"});
  EXPECT_EQ(portuguese.option, "Modo de cor");
  EXPECT_EQ(portuguese.gray, "Escala de cinzentos");
  EXPECT_EQ(portuguese.color, "Color");

  // From English on, the description's own labels stay.
  Labels english = localized({"en_GB", "en", "de", "Base"});
  EXPECT_EQ(english.option, "Color Mode");
  EXPECT_EQ(english.gray, "Grayscale");
  EXPECT_EQ(english.group, "Image Quality");
}

}  // namespace
}  // namespace pdehost
