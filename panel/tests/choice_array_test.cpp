#include "choice_array.h"

#include <gtest/gtest.h>

#include "ppd_adapter.h"
#include "ppd_fixture.h"

namespace {

TEST(ChoiceRecord, TitlesAreMadeOnceAndKept) {
  char keyword[] = "Gray";
  char text[] = "Gr\xe9";  // Latin 1
  ppd_choice_t raw{};
  std::snprintf(raw.choice, sizeof raw.choice, "%s", keyword);
  std::snprintf(raw.text, sizeof raw.text, "%s", text);
  auto record = VemraPrintPdeLX4200COPDEChoice::choiceWithChoice(&raw);
  EXPECT_EQ(record->choice(), &raw);
  EXPECT_EQ(record->userTitle(kStringEncodingISOLatin1), "Gré");
  // The kept label stands whatever encoding later calls pass, and survives
  // a change of the underlying text.
  raw.text[0] = 'X';
  EXPECT_EQ(record->userTitle(kStringEncodingMacOSRoman), "Gré");
  EXPECT_EQ(record->ppdTitle(), "Gray");
  raw.choice[0] = 'Z';
  EXPECT_EQ(record->ppdTitle(), "Gray");
}

TEST(ChoiceRecord, AFailedConversionIsRetriedOnTheNextCall) {
  ppd_choice_t raw{};
  std::snprintf(raw.choice, sizeof raw.choice, "K\xe9y");
  std::snprintf(raw.text, sizeof raw.text, "\xff");
  VemraPrintPdeLX4200COPDEChoice record(&raw);
  EXPECT_FALSE(record.userTitle(kStringEncodingUTF8));
  EXPECT_EQ(record.userTitle(kStringEncodingISOLatin1), "ÿ");
  EXPECT_FALSE(record.ppdTitle());  // keywords are ASCII only
}

TEST(ChoiceRecord, NullChoiceGivesNoTitles) {
  VemraPrintPdeLX4200COPDEChoice record(nullptr);
  EXPECT_FALSE(record.userTitle(kStringEncodingUTF8));
  EXPECT_FALSE(record.ppdTitle());
  EXPECT_EQ(record.choice(), nullptr);
}

class ChoiceArrays : public ::testing::Test {
 protected:
  ChoiceArrays() : file_([] {
      testppd::Description d;
      d.options.push_back(testppd::colorMode());
      return d;
    }()) {}
  ppd_option_t* option() { return ppdx::findOption(file_.get(), "VMCMode"); }
  testppd::OpenPPD file_;
};

TEST_F(ChoiceArrays, OneRecordPerChoiceInDescriptionOrder) {
  EXPECT_EQ(ArrayFromPPDOption(nullptr), nullptr);
  ppd_option_t* o = option();
  ASSERT_NE(o, nullptr);
  auto array = ArrayFromPPDOption(o);
  ASSERT_NE(array, nullptr);
  ASSERT_EQ(array->size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ((*array)[static_cast<size_t>(i)]->choice(), &o->choices[i]);
  EXPECT_EQ((*array)[2]->ppdTitle(), "Gray");
  EXPECT_EQ((*array)[2]->userTitle(kStringEncodingUTF8), "Grayscale");
}

TEST_F(ChoiceArrays, LookUpByKeyword) {
  auto array = ArrayFromPPDOption(option());
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(FindChoiceForString("Color", array.get()), (*array)[1]);
  EXPECT_EQ(FindChoiceForString("color", array.get()), nullptr);
  EXPECT_EQ(FindChoiceForString(std::nullopt, array.get()), nullptr);
  EXPECT_EQ(FindChoiceForString("Color", nullptr), nullptr);

  EXPECT_EQ(GetIndexForString("Gray", array.get()), 2);
  EXPECT_EQ(GetIndexForString("Auto", array.get()), 0);
  EXPECT_EQ(GetIndexForString("None", array.get()), 3);  // the count when nothing matches
  EXPECT_EQ(GetIndexForString(std::nullopt, array.get()), 0);
  PDEChoiceArray empty;
  EXPECT_EQ(GetIndexForString("Gray", &empty), 0);
  EXPECT_EQ(GetIndexForString("Gray", nullptr), 0);
}

}  // namespace
