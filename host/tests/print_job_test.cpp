// The job pdehost builds from the print settings: which entries become job
// options, and the conflicts the sample description's constraints report.
#include "cups/print_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cups/ppd_document.h"
#include "temp_dir.h"

namespace pdehost {
namespace {

using Choices = std::vector<OptionChoice>;

TEST(JobOptions, TextEntriesInKeyOrderOthersLeftOut) {
  std::string error;
  auto settings = JsonPrintSettings::fromJson(
      {{"VMCMode", "Gray"}, {"copies", 2}, {"note", {{"a", "b"}}}, {"vemra.print.PrintSettings.co.kestrel2", "4"},
       {"Duplex", ""}},
      &error);
  ASSERT_TRUE(settings) << error;
  auto options = jobOptionsFromSettings(*settings, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(*options, (std::vector<JobOption>{
                          {"Duplex", ""}, {"VMCMode", "Gray"}, {"vemra.print.PrintSettings.co.kestrel2", "4"}}));
}

TEST(JobOptions, KeysThatCannotBeOptionNamesAreRefused) {
  for (const char* bad : {"bad\"quote", "with space", "", "1leading-digit", "semi;colon", "caf\xC3\xA9"}) {
    EXPECT_FALSE(isJobOptionName(bad)) << bad;
    JsonPrintSettings settings;
    settings.setValue("VMCMode", "Gray", false);
    settings.setValue(bad, "1", false);
    std::string error;
    EXPECT_FALSE(jobOptionsFromSettings(settings, &error)) << bad;
    EXPECT_EQ(error, std::string("print setting \"") + bad + "\" cannot be a job option name");
  }
  for (const char* good : {"VMCMode", "vemra.print.PrintSettings.co.saveSettings", "job-name_2"}) {
    EXPECT_TRUE(isJobOptionName(good)) << good;
  }
}

TEST(JobOptions, EmptySettingsGiveNoOptions) {
  JsonPrintSettings settings;
  std::string error;
  auto options = jobOptionsFromSettings(settings, &error);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->empty());
}

class SampleConstraints : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ppd_ = PpdDocument::open(SAMPLE_PPD, &error);
    ASSERT_TRUE(ppd_) << error;
  }
  ConflictCheck check(const std::vector<JobOption>& options) { return markJobOptions(ppd_->file(), options); }
  std::unique_ptr<PpdDocument> ppd_;
};

TEST_F(SampleConstraints, DefaultsAndThePanelsOwnOutputDoNotConflict) {
  EXPECT_TRUE(check({}).ok());
  EXPECT_TRUE(check({{"VMSaveToner", "True"}, {"VMCPPriority", "Standard"}, {"VMCScreen", "Stochastic"}}).ok());
  EXPECT_TRUE(check({{"VMCPPriority", "Speed"}, {"VMCTrapping", "Standard"}, {"VMCSharpness", "Normal"}}).ok());
  EXPECT_TRUE(check({{"VMCPPriority", "Quality"}, {"VMCTrapping", "Wide"}, {"VMCSharpness", "Sharper"}}).ok());
  // Keys that are not options of the description are passed by.
  EXPECT_TRUE(check({{"vemra.print.PrintSettings.co.kestrel2", "4"}, {"copies", "2"}}).ok());
}

TEST_F(SampleConstraints, TonerSaveHoldsPrintPriorityAtStandard) {
  for (const char* priority : {"Speed", "Quality"}) {
    const ConflictCheck c = check({{"VMSaveToner", "True"}, {"VMCPPriority", priority}});
    EXPECT_EQ(c.conflicts, (Choices{{"VMCPPriority", priority}, {"VMSaveToner", "True"}})) << priority;
    EXPECT_FALSE(c.ok());
  }
}

TEST_F(SampleConstraints, SpeedHoldsTrappingAndSharpness) {
  const Choices held = {{"VMCTrapping", "Off"},   {"VMCTrapping", "Narrow"}, {"VMCTrapping", "Wide"},
                        {"VMCSharpness", "Soft"}, {"VMCSharpness", "Sharp"}, {"VMCSharpness", "Sharper"}};
  for (const auto& [option, choice] : held) {
    EXPECT_EQ(check({{"VMCPPriority", "Speed"}, {option, choice}}).conflicts,
              (Choices{{"VMCPPriority", "Speed"}, {option, choice}}))
        << option << "=" << choice;
  }
}

TEST_F(SampleConstraints, EachCheckStartsFromTheDefaults) {
  EXPECT_FALSE(check({{"VMSaveToner", "True"}, {"VMCPPriority", "Speed"}}).ok());
  // The marks of the check before do not linger.
  EXPECT_TRUE(check({{"VMCPPriority", "Speed"}}).ok());
  EXPECT_TRUE(check({{"VMSaveToner", "True"}}).ok());
}

TEST_F(SampleConstraints, ChoicesTheDescriptionLacksAreNamed) {
  const ConflictCheck c = check({{"VMCMode", "Sepia"}, {"Duplex", "DuplexTumble"}, {"VMSaveToner", "Maybe"}});
  EXPECT_EQ(c.unknownChoices, (Choices{{"VMCMode", "Sepia"}, {"VMSaveToner", "Maybe"}}));
  EXPECT_TRUE(c.conflicts.empty());
  EXPECT_EQ(describeChoices(c.unknownChoices), "VMCMode=Sepia, VMSaveToner=Maybe");
}

TEST(PrintSettingsFile, SaveThenLoadGivesTheSameSettings) {
  const qvx::test::TempDir dir;
  const std::filesystem::path path = dir.path() / "pdehost-print-job-settings.json";
  std::string error;
  const nlohmann::json session = {{"VMCMode", "Gray"}, {"vemra.print.PrintSettings.co.saveSettings", "1"},
                                  {"n", 2.5}, {"list", {1, "x"}}, {"label", "Farbe \xC3\xBC"}};
  auto settings = JsonPrintSettings::fromJson(session, &error);
  ASSERT_TRUE(settings->save(path, &error)) << error;
  auto loaded = JsonPrintSettings::load(path, &error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(loaded->toJson(), session);
  EXPECT_FALSE(settings->save("/nonexistent-folder/x.json", &error));
  EXPECT_EQ(error, "/nonexistent-folder/x.json: cannot be written");
}

}  // namespace
}  // namespace pdehost
