// libcups PPD calls are deprecated but still work.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "cups/ppd_document.h"

#include <gtest/gtest.h>

#include <fstream>

#include "session/host_callback.h"
#include "temp_dir.h"

namespace pdehost {
namespace {

std::string writeTemp(const std::string& name, const std::string& text) {
  static const qvx::test::TempDir dir;
  return dir.write(name, text).string();
}

// A small valid description whose two options constrain each other.
const char* kConstrained = R"PPD(*PPD-Adobe: "4.3"
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
*OpenUI *VMCMode/Color Mode: PickOne
*DefaultVMCMode: Color
*VMCMode Color/Color: ""
*VMCMode Gray/Grayscale: ""
*CloseUI: *VMCMode
*OpenUI *VMSaveToner/Toner Save: Boolean
*DefaultVMSaveToner: True
*VMSaveToner False/Off: ""
*VMSaveToner True/On: ""
*CloseUI: *VMSaveToner
*UIConstraints: *VMCMode Gray *VMSaveToner True
*UIConstraints: *VMSaveToner True *VMCMode Gray
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*CloseUI: *PageSize
)PPD";

TEST(PpdDocument, OpensTheSampleWithItsDefaultsMarked) {
  std::string error;
  auto ppd = PpdDocument::open(SAMPLE_PPD, &error);
  ASSERT_TRUE(ppd) << error;
  ppd_choice_t* marked = ppdFindMarkedChoice(ppd->file(), "VMCMode");
  ASSERT_NE(marked, nullptr);
  EXPECT_STREQ(marked->choice, "Auto");
}

TEST(PpdDocument, ReportsFilesThatAreMissingOrNoDescription) {
  std::string error;
  EXPECT_FALSE(PpdDocument::open("/nonexistent/x.ppd", &error));
  EXPECT_EQ(error, "/nonexistent/x.ppd: cannot be opened");
  auto path = writeTemp("not-a.ppd", "hello\n");
  EXPECT_FALSE(PpdDocument::open(path, &error));
  EXPECT_EQ(error.rfind(path + ": not a valid printer description: ", 0), 0u) << error;
  EXPECT_NE(error.find(" on line "), std::string::npos) << error;
}

TEST(HostCallback, ConstraintHandlingRefusesConflictsAndUnknownChoices) {
  std::string error;
  auto ppd = PpdDocument::open(writeTemp("constrained.ppd", kConstrained), &error);
  ASSERT_TRUE(ppd) << error;
  HostCallbackObject callback(ppd.get(), nullptr, "LX4200", true);
  EXPECT_TRUE(callback.respondsToWillChangePPDOptionKeyValuePpdChoice());
  EXPECT_EQ(callback.ppdFile(), ppd->file());
  // Toner save is on by default: grayscale would conflict.
  EXPECT_FALSE(callback.willChangePPDOptionKeyValuePpdChoice("VMCMode", "Gray"));
  EXPECT_STREQ(ppdFindMarkedChoice(ppd->file(), "VMCMode")->choice, "Color");
  EXPECT_TRUE(callback.willChangePPDOptionKeyValuePpdChoice("VMSaveToner", "False"));
  EXPECT_TRUE(callback.willChangePPDOptionKeyValuePpdChoice("VMCMode", "Gray"));
  EXPECT_FALSE(callback.willChangePPDOptionKeyValuePpdChoice("VMCMode", "Sepia"));
  EXPECT_FALSE(callback.willChangePPDOptionKeyValuePpdChoice("VMNothing", "On"));
  ASSERT_EQ(callback.changeQuestions().size(), 5u);
  EXPECT_FALSE(callback.changeQuestions()[0].accepted);
  EXPECT_TRUE(callback.changeQuestions()[2].accepted);

  HostCallbackObject without(ppd.get(), nullptr, std::nullopt, false);
  EXPECT_FALSE(without.respondsToWillChangePPDOptionKeyValuePpdChoice());
  EXPECT_FALSE(without.willChangePPDOptionKeyValuePpdChoice("VMSaveToner", "True"));
  EXPECT_EQ(without.printSession()->currentPrinterID(), std::nullopt);
}

}  // namespace
}  // namespace pdehost
