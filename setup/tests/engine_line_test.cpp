#include "bridge/engine_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace qvx {
namespace {

struct Expected {
  std::string function;
  std::string argument;
  bool isFinal;
};

std::optional<Expected> classify(std::string_view line) {
  const auto call = classifyEngineLine(line);
  if (!call) return std::nullopt;
  return Expected{std::string(call->function), std::string(call->argument), call->isFinal};
}

void expectCall(std::string_view line, const char* function, std::string_view argument, bool isFinal) {
  SCOPED_TRACE(std::string("line: ") + std::string(line));
  const auto call = classify(line);
  ASSERT_TRUE(call.has_value());
  EXPECT_EQ(call->function, function);
  EXPECT_EQ(call->argument, argument);
  EXPECT_EQ(call->isFinal, isFinal);
}

void expectIgnored(std::string_view line) {
  EXPECT_FALSE(classify(line).has_value()) << "line: " << line;
}

TEST(EngineLine, TagsPickTheirPageFunctionAndArgument) {
  expectCall("@STEP Copying files", "onStep", "Copying files", false);
  expectCall("@WARN low disk", "onWarn", "low disk", false);
  expectCall("@ERROR Disk full", "onError", "Disk full", true);
  expectCall("@DONE ok", "onDone", "ok", true);
}

TEST(EngineLine, TrimmingKeepsInnerBlanksOfTheArgument) {
  expectCall("  @WARN  low disk \r", "onWarn", " low disk", false);
  expectCall("\t@STEP a  b\t", "onStep", "a  b", false);
}

TEST(EngineLine, TrimmingCoversUnicodeSeparatorsAndNel) {
  // U+00A0 (Zs), U+2028 (Zl), U+2029 (Zp), U+3000 (Zs), U+0085 and the ASCII controls 9 to 13.
  expectCall("\u00A0\u3000@STEP x\u2028\u2029\u0085\v\f", "onStep", "x", false);
  // U+200B ZERO WIDTH SPACE is format (Cf), not a separator: it stays and hides the tag.
  expectIgnored("\u200B@STEP x");
  // U+FEFF likewise.
  expectIgnored("\uFEFF@STEP x");
}

TEST(EngineLine, TagsWithoutTheirBlankOrArgumentAreIgnored) {
  expectIgnored("@STEP");
  expectIgnored("@STEP    ");
  expectIgnored("@ERROR");
  expectIgnored("@WARN \t ");
  expectIgnored("@STEPx");
}

TEST(EngineLine, DoneNeedsNoBlankAndTakesWhatFollowsTheSixthCharacter) {
  expectCall("@DONE", "onDone", "", true);
  expectCall("@DONE   ", "onDone", "", true);
  expectCall("@DONE:ok", "onDone", "ok", true);
  expectCall("@DONEX", "onDone", "", true);
  expectCall("@DONEXY", "onDone", "Y", true);
  expectCall("@DONE  two", "onDone", " two", true);
}

TEST(EngineLine, OtherLinesAreNotPartOfTheProtocol) {
  for (const char* line : {"@step x", "STEP x", "x @STEP y", "", "hello", "@", "@DON", "@done", "@Error x", " "}) {
    expectIgnored(line);
  }
}

TEST(EngineLine, TheFirstMatchingTagInTableOrderWins) {
  expectCall("@STEP @DONE", "onStep", "@DONE", false);
  expectCall("@DONE @ERROR x", "onDone", "@ERROR x", true);
}

TEST(EngineLine, ArgumentsCountUserPerceivedCharactersNotBytes) {
  expectCall("@STEP Café", "onStep", "Café", false);
  // A combining mark joins the blank of the tag: the sixth character is
  // " \u0301", so the argument starts after it.
  expectCall("@STEP \u0301abc", "onStep", "abc", false);
  expectCall("@ERROR \u0308x", "onError", "x", true);
  // For "@DONE" the sixth character may be any cluster, of any length.
  expectCall("@DONEe\u0301rest", "onDone", "rest", true);
  expectCall("@DONE\U0001F44D\U0001F3FDok", "onDone", "ok", true);  // emoji with skin-tone modifier
  expectCall("@DONE\U0001F1E9\U0001F1EA", "onDone", "", true);       // one flag: six characters in all
  expectCall("@DONE\U0001F1E9\U0001F1EA!", "onDone", "!", true);
  expectCall("@DONE\u1100\u1161\u11A8x", "onDone", "x", true);         // a Hangul syllable of jamo
}

TEST(EngineLine, OffsetAfterCharacters) {
  EXPECT_EQ(offsetAfterCharacters("abcdef", 6), 6u);
  EXPECT_EQ(offsetAfterCharacters("abcdefg", 6), 6u);
  EXPECT_FALSE(offsetAfterCharacters("abcde", 6).has_value());
  EXPECT_EQ(offsetAfterCharacters("ab\r\ncd", 3), 4u);  // CR LF is one character
  EXPECT_EQ(offsetAfterCharacters("e\u0301e\u0301", 1), 3u);
  EXPECT_FALSE(offsetAfterCharacters("e\u0301e\u0301", 3).has_value());
  EXPECT_EQ(offsetAfterCharacters("", 0), 0u);
}

TEST(EngineLine, ControlAndNulBytesInsideTheArgumentStay) {
  expectCall(std::string_view("@STEP a\0b", 9), "onStep", std::string_view("a\0b", 3), false);
  expectCall("@STEP a\x01", "onStep", "a\x01", false);
}

}  // namespace
}  // namespace qvx

namespace qvx {
namespace {

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
