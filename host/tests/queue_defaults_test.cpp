#include "store/queue_defaults.h"

#include <gtest/gtest.h>

namespace pdehost {
namespace {

TEST(QueueDefaults, OnlyThePrintersOwnOptionsStartTheJob) {
  std::string error;
  auto ppd = PpdDocument::open(SAMPLE_PPD, &error);
  ASSERT_TRUE(ppd) << error;
  JsonPrintSettings settings;
  // As a destination lists them: the server's defaults, then the user's
  // saved ones, with IPP attributes and options the description lacks.
  startFromQueueDefaults(settings, *ppd,
                         {{"printer-make-and-model", "Vemra LX4200 Color"},
                          {"copies", "2"},
                          {"VMCMode", "Bogus"},
                          {"VMSaveToner", "True"},
                          {"VMCPPriority", "Speed"},  // conflicts with toner save: left out
                          {"VMCMode", "Gray"}});
  EXPECT_EQ(settings.toJson(), (nlohmann::json{{"VMCMode", "Gray"}, {"VMSaveToner", "True"}}));
}

TEST(QueueDefaults, SavedDefaultsLeaveOutBookkeepingAndUnknownChoices) {
  std::string error;
  auto ppd = PpdDocument::open(SAMPLE_PPD, &error);
  ASSERT_TRUE(ppd) << error;
  auto settings = JsonPrintSettings::fromJson({{"VMCMode", "Gray"},
                                               {"VMCNGray", "Nonsense"},
                                               {"vemra.print.PrintSettings.co.kestrel2", "4"},
                                               {"note", {{"not", "a text"}}}},
                                              &error);
  ASSERT_TRUE(settings) << error;
  EXPECT_EQ(printerOptionsIn(*ppd, textEntriesOf(*settings)), (OptionList{{"VMCMode", "Gray"}}));
}

}  // namespace
}  // namespace pdehost
