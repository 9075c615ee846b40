#include "page_options.h"

#include <gtest/gtest.h>

#include "ppd_adapter.h"
#include "temp_dir.h"

namespace pdehost::page {
namespace {

// Installable parts (a Boolean and a PickOne), paper with its region and a
// custom size, a Boolean job option, an option the panel shows, and the
// constraints vendor descriptions carry.
const char* kFixture = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "FIXTURE.PPD"
*Manufacturer: "Test"
*Product: "(Test)"
*ModelName: "Test"
*ShortNickName: "Test"
*NickName: "Test"
*PSVersion: "(3010.000) 0"
*OpenGroup: InstallableOptions/Installable Options
*OpenUI *OptionDuplexUnit/Duplex Unit: Boolean
*DefaultOptionDuplexUnit: True
*OptionDuplexUnit True/Installed: ""
*OptionDuplexUnit False/Not Installed: ""
*CloseUI: *OptionDuplexUnit
*OpenUI *Feeder/Large Feeder: PickOne
*DefaultFeeder: Small
*Feeder Small/Small Feeder: ""
*Feeder Large/Large Feeder: ""
*CloseUI: *Feeder
*CloseGroup: InstallableOptions
*OpenUI *PageSize/Paper Size: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*PageSize A3/A3: ""
*CloseUI: *PageSize
*OpenUI *PageRegion/Paper Size: PickOne
*DefaultPageRegion: A4
*PageRegion A4/A4: ""
*PageRegion A3/A3: ""
*CloseUI: *PageRegion
*CustomPageSize True: "pop pop pop pop pop"
*ParamCustomPageSize Width: 1 points 36 842
*ParamCustomPageSize Height: 2 points 36 1191
*ParamCustomPageSize WidthOffset: 3 points 0 0
*ParamCustomPageSize HeightOffset: 4 points 0 0
*ParamCustomPageSize Orientation: 5 int 0 0
*OpenUI *InputSlot/Paper Source: PickOne
*DefaultInputSlot: Tray1
*InputSlot Tray1/Tray 1: ""
*InputSlot Tray2/Tray 2: ""
*CloseUI: *InputSlot
*OpenUI *Duplex/Two-Sided: PickOne
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long Edge: ""
*CloseUI: *Duplex
*OpenUI *Staple/Staple: Boolean
*DefaultStaple: False
*Staple False/Off: ""
*Staple True/On: ""
*CloseUI: *Staple
*OpenUI *VMCMode/Color Mode: PickOne
*DefaultVMCMode: Color
*VMCMode Color/Color: ""
*CloseUI: *VMCMode
*UIConstraints: *OptionDuplexUnit False *Duplex
*UIConstraints: *Duplex *OptionDuplexUnit False
*UIConstraints: *Feeder Small *InputSlot Tray2
*UIConstraints: *InputSlot Tray2 *Feeder Small
*UIConstraints: *PageSize A3 *Staple True
*UIConstraints: *Staple True *PageSize A3
*de.Translation Duplex/Beidseitig: ""
*de.Translation OptionDuplexUnit/Duplexeinheit: ""
)PPD";

struct Fixture {
  qvx::test::TempDir dir;
  ppdx::File ppd;
  explicit Fixture(std::initializer_list<std::pair<const char*, const char*>> marks)
      : ppd(ppdx::openFile(dir.write("fixture.ppd", kFixture).c_str())) {
    ppdx::markDefaults(ppd.get());
    for (const auto& [keyword, choice] : marks) ppdx::markOption(ppd.get(), keyword, choice);
  }
};

std::vector<std::string> keywordsOf(const std::vector<PageOption>& options) {
  std::vector<std::string> keywords;
  for (const PageOption& option : options) keywords.push_back(option.keyword);
  return keywords;
}

TEST(PageOptionModel, ListsTheJobsOptionsAndTheInstalledPartsApart) {
  Fixture fixture({});
  ASSERT_TRUE(fixture.ppd) << ppdx::lastError();
  const PageOptionModel model = readPageOptions(fixture.ppd.get(), panelKeywords());
  EXPECT_EQ(keywordsOf(model.options), (std::vector<std::string>{"PageSize", "InputSlot", "Duplex", "Staple"}));
  EXPECT_EQ(keywordsOf(model.installed), (std::vector<std::string>{"OptionDuplexUnit", "Feeder"}));
  EXPECT_EQ(model.options[0].choices.size(), 2u) << "the custom size is no choice of the popup";
  EXPECT_EQ(model.options[3].control, OptionControl::Checkbox);
  EXPECT_EQ(model.installed[0].current, "True");
}

struct ChoiceRow {
  std::vector<std::pair<const char*, const char*>> queue;  // the queue's installed parts
  const char* keyword;
  const char* choice;
  std::string_view language;
  std::optional<ChoiceRefusal> refusal;  // none: chosen and marked
  std::string_view words = "";
};

class ChoosingAPageOption : public testing::TestWithParam<ChoiceRow> {};

TEST_P(ChoosingAPageOption, MarksItOrSaysWhyNotAndChangesNothing) {
  const ChoiceRow& row = GetParam();
  Fixture fixture({});
  for (const auto& [keyword, choice] : row.queue) ppdx::markOption(fixture.ppd.get(), keyword, choice);
  const std::string before = ppdx::findMarkedChoice(fixture.ppd.get(), row.keyword)
                                 ? ppdx::findMarkedChoice(fixture.ppd.get(), row.keyword)->choice
                                 : "";
  const auto refused = choosePageOption(fixture.ppd.get(), panelKeywords(), row.keyword, row.choice, row.language);
  ppd_choice_t* marked = ppdx::findMarkedChoice(fixture.ppd.get(), row.keyword);
  if (!row.refusal) {
    ASSERT_FALSE(refused) << refused->words;
    ASSERT_NE(marked, nullptr);
    EXPECT_STRCASEEQ(marked->choice, row.choice);
    EXPECT_EQ(ppdx::countConflicts(fixture.ppd.get()), 0);
    return;
  }
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->kind, *row.refusal);
  EXPECT_EQ(refused->words, row.words);
  EXPECT_EQ(marked ? std::string(marked->choice) : "", before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChoosingAPageOption,
    testing::Values(
        ChoiceRow{{}, "Duplex", "DuplexNoTumble", "en", std::nullopt},
        ChoiceRow{{{"OptionDuplexUnit", "False"}}, "Duplex", "DuplexNoTumble", "en", ChoiceRefusal::Conflict,
                  "Two-Sided needs the Duplex Unit, which is not installed"},
        ChoiceRow{{{"OptionDuplexUnit", "False"}}, "Duplex", "None", "en", std::nullopt},
        ChoiceRow{{}, "InputSlot", "Tray2", "pt", ChoiceRefusal::Conflict,
                  "Paper Source: Tray 2 não é possível com a opção instalada Large Feeder: Small Feeder"},
        ChoiceRow{{{"Feeder", "Large"}}, "InputSlot", "Tray2", "en", std::nullopt},
        ChoiceRow{{{"PageSize", "A3"}}, "Staple", "True", "de", ChoiceRefusal::Conflict,
                  "Staple ist mit Paper Size: A3 nicht möglich"},
        ChoiceRow{{}, "pagesize", "a3", "en", std::nullopt},
        ChoiceRow{{}, "OptionDuplexUnit", "False", "en", ChoiceRefusal::InstalledOption,
                  "\"Duplex Unit\" is an installed option: the printer's administrator sets it"},
        ChoiceRow{{}, "VMCMode", "Color", "en", ChoiceRefusal::UnknownOption,
                  "the printer has no page option \"VMCMode\""},
        ChoiceRow{{}, "PageRegion", "A3", "en", ChoiceRefusal::UnknownOption,
                  "the printer has no page option \"PageRegion\""},
        ChoiceRow{{}, "PageSize", "Custom", "en", ChoiceRefusal::UnknownChoice,
                  "\"Paper Size\" has no choice \"Custom\""}));

}  // namespace
}  // namespace pdehost::page
