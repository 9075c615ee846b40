#include "bridge/engine_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace qvx {
namespace {

struct TaggedLine {
  const char* name;
  std::string_view line;
  const char* function;
  std::string_view argument;
  bool isFinal;
};

class EngineLineCall : public ::testing::TestWithParam<TaggedLine> {};

TEST_P(EngineLineCall, PicksItsPageFunctionAndArgument) {
  const auto& row = GetParam();
  const auto call = classifyEngineLine(row.line);
  ASSERT_TRUE(call.has_value());
  EXPECT_EQ(call->function, row.function);
  EXPECT_EQ(call->argument, row.argument);
  EXPECT_EQ(call->isFinal, row.isFinal);
}

INSTANTIATE_TEST_SUITE_P(
    EngineLine, EngineLineCall,
    ::testing::Values(
        TaggedLine{"Step", "@STEP Copying files", "onStep", "Copying files", false},
        TaggedLine{"Warn", "@WARN low disk", "onWarn", "low disk", false},
        TaggedLine{"Error", "@ERROR Disk full", "onError", "Disk full", true},
        TaggedLine{"Done", "@DONE ok", "onDone", "ok", true},
        // Trimming keeps the inner blanks of the argument.
        TaggedLine{"TrimmedWarn", "  @WARN  low disk \r", "onWarn", " low disk", false},
        TaggedLine{"TrimmedStep", "\t@STEP a  b\t", "onStep", "a  b", false},
        // U+00A0 (Zs), U+3000 (Zs), U+2028 (Zl), U+2029 (Zp), U+0085 and the ASCII controls 9 to 13.
        TaggedLine{"TrimsUnicodeSeparatorsAndNel", "\u00A0\u3000@STEP x\u2028\u2029\u0085\v\f", "onStep", "x", false},
        // "@DONE" needs no blank and takes what follows its sixth character.
        TaggedLine{"BareDone", "@DONE", "onDone", "", true},
        TaggedLine{"DoneWithBlanks", "@DONE   ", "onDone", "", true},
        TaggedLine{"DoneColon", "@DONE:ok", "onDone", "ok", true},
        TaggedLine{"DoneSixthCharacterOnly", "@DONEX", "onDone", "", true},
        TaggedLine{"DoneAfterSixthCharacter", "@DONEXY", "onDone", "Y", true},
        TaggedLine{"DoneKeepsASecondBlank", "@DONE  two", "onDone", " two", true},
        // The first matching tag in table order wins.
        TaggedLine{"StepBeforeDone", "@STEP @DONE", "onStep", "@DONE", false},
        TaggedLine{"DoneBeforeError", "@DONE @ERROR x", "onDone", "@ERROR x", true},
        // Arguments count user-perceived characters, not bytes.
        TaggedLine{"Accented", "@STEP Café", "onStep", "Café", false},
        // A combining mark joins the tag's blank: the sixth character is " \u0301".
        TaggedLine{"CombiningMarkOnTheBlank", "@STEP \u0301abc", "onStep", "abc", false},
        TaggedLine{"CombiningMarkAfterError", "@ERROR \u0308x", "onError", "x", true},
        // For "@DONE" the sixth character may be any cluster, of any length.
        TaggedLine{"DoneAfterCombinedLetter", "@DONEe\u0301rest", "onDone", "rest", true},
        TaggedLine{"DoneAfterEmojiWithSkinTone", "@DONE\U0001F44D\U0001F3FDok", "onDone", "ok", true},
        TaggedLine{"DoneIsOneFlag", "@DONE\U0001F1E9\U0001F1EA", "onDone", "", true},
        TaggedLine{"DoneAfterFlag", "@DONE\U0001F1E9\U0001F1EA!", "onDone", "!", true},
        TaggedLine{"DoneAfterHangulJamo", "@DONE\u1100\u1161\u11A8x", "onDone", "x", true},
        // Control and NUL bytes inside the argument stay.
        TaggedLine{"NulInArgument", std::string_view("@STEP a\0b", 9), "onStep", std::string_view("a\0b", 3), false},
        TaggedLine{"ControlInArgument", "@STEP a\x01", "onStep", "a\x01", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct IgnoredLine {
  const char* name;
  const char* line;
};

class EngineLineIgnored : public ::testing::TestWithParam<IgnoredLine> {};

TEST_P(EngineLineIgnored, IsNotPartOfTheProtocol) {
  EXPECT_FALSE(classifyEngineLine(GetParam().line).has_value()) << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    EngineLine, EngineLineIgnored,
    ::testing::Values(
        // U+200B and U+FEFF are format characters (Cf), not separators: they hide the tag.
        IgnoredLine{"ZeroWidthSpaceBeforeTag", "\u200B@STEP x"}, IgnoredLine{"ByteOrderMarkBeforeTag", "\uFEFF@STEP x"},
        // Tags other than "@DONE" need their blank and an argument.
        IgnoredLine{"StepAlone", "@STEP"}, IgnoredLine{"StepWithBlanksOnly", "@STEP    "},
        IgnoredLine{"ErrorAlone", "@ERROR"}, IgnoredLine{"WarnWithBlanksOnly", "@WARN \t "},
        IgnoredLine{"StepWithoutBlank", "@STEPx"}, IgnoredLine{"LowerCaseTag", "@step x"},
        IgnoredLine{"NoAt", "STEP x"}, IgnoredLine{"TagInsideTheLine", "x @STEP y"}, IgnoredLine{"Empty", ""},
        IgnoredLine{"PlainText", "hello"}, IgnoredLine{"AtAlone", "@"}, IgnoredLine{"ShortDone", "@DON"},
        IgnoredLine{"LowerCaseDone", "@done"}, IgnoredLine{"MixedCaseError", "@Error x"},
        IgnoredLine{"Blank", " "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EngineLine, OffsetAfterCharacters) {
  EXPECT_EQ(offsetAfterCharacters("abcdef", 6), 6u);
  EXPECT_EQ(offsetAfterCharacters("abcdefg", 6), 6u);
  EXPECT_FALSE(offsetAfterCharacters("abcde", 6).has_value());
  EXPECT_EQ(offsetAfterCharacters("ab\r\ncd", 3), 4u);  // CR LF is one character
  EXPECT_EQ(offsetAfterCharacters("e\u0301e\u0301", 1), 3u);
  EXPECT_FALSE(offsetAfterCharacters("e\u0301e\u0301", 3).has_value());
  EXPECT_EQ(offsetAfterCharacters("", 0), 0u);
}

TEST(EngineLine, BytesThatAreNotUtf8AreHandledSafely) {
  // The reader never passes such lines on; the classification must still
  // stay inside the text (the address sanitizer build checks that).
  for (std::string_view bad : {std::string_view("\xf0"), std::string_view("@STEP x\xf0"), std::string_view("\xe2\x80"),
                               std::string_view("@DONE\xf4\x8f"), std::string_view("\x80\x80@STEP y")}) {
    // On the heap at its exact size, so that an overread is caught.
    const auto copy = std::make_unique<char[]>(bad.size());
    std::memcpy(copy.get(), bad.data(), bad.size());
    (void)classifyEngineLine(std::string_view(copy.get(), bad.size()));
  }
  EXPECT_EQ(classifyEngineLine(std::string("@STEP x\xf0"))->argument, "x\xf0");
}

}  // namespace
}  // namespace qvx
