#include "utf8/utf8.h"

#include <gtest/gtest.h>

#include "utf8/conversion.h"

namespace qvx::utf8 {
namespace {

using namespace std::string_literals;

// The first and last code points of each length, and those around the surrogates.
const std::pair<char32_t, std::string> kBoundaries[] = {
    {0x7F, "\x7F"},           {0x80, "\xC2\x80"},         {0x7FF, "\xDF\xBF"},
    {0x800, "\xE0\xA0\x80"},  {0xD7FF, "\xED\x9F\xBF"},   {0xE000, "\xEE\x80\x80"},
    {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"}};

// Stray continuation, overlong forms, surrogates, above U+10FFFF, cut short, a continuation missing.
const char* const kMalformed[] = {"\x80",         "\xC0\x80",     "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",
                                  "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF",
                                  "\xC3",         "\xE2\x82",     "\xF0\x9F\x98", "\xC3\x41", "\xE2\x28\xA1"};

TEST(Utf8, EncodesDecodesAndMeasuresEachLength) {
  for (const auto& [code, bytes] : kBoundaries) {
    std::string out;
    append(out, code);
    EXPECT_EQ(out, bytes) << std::hex << static_cast<unsigned>(code);
    EXPECT_EQ(sequenceLength(bytes + "x"), bytes.size());
    std::size_t length = 0;
    EXPECT_EQ(decodeAt("a" + bytes, 1, length), code);
    EXPECT_EQ(length, bytes.size());
    EXPECT_EQ(decodeBefore(bytes + "a", bytes.size(), length), code);
    EXPECT_EQ(length, bytes.size());
  }
  std::size_t length = 0;  // malformed bytes decode to U+FFFD, never reading past the text
  EXPECT_EQ(decodeAt("\xE2\x82", 0, length), U'\uFFFD');
  EXPECT_EQ(decodeBefore("\x80\x80\x80\x80\x80", 5, length), U'\uFFFD');
  EXPECT_EQ(length, 1u);
}

// Every sequence at every offset of an ASCII run, so that it falls before,
// inside and after each eight-byte word the fast path looks at.
TEST(Utf8, ValidityDoesNotDependOnWhereASequenceStands) {
  EXPECT_TRUE(isValid(""));
  for (std::size_t offset = 0; offset <= 17; ++offset) {
    const std::string before(offset, 'a');
    for (const auto& [code, bytes] : kBoundaries) EXPECT_TRUE(isValid(before + bytes + "tail of ascii")) << offset;
    for (const char* bad : kMalformed) {
      EXPECT_FALSE(isValid(before + bad)) << offset;
      EXPECT_FALSE(isValid(before + bad + "tail of ascii")) << offset;
      EXPECT_EQ(sequenceLength(bad), 0u);
    }
  }
}

TEST(Utf8, ConvertsWholeTextsOrNothing) {
  std::string le, be, expected;  // longer than the converter's buffer
  for (int i = 0; i < 300; ++i) {
    le += "\xE9\x00\x3D\xD8\x00\xDE"s;
    be += "\x00\xE9\xD8\x3D\xDE\x00"s;
    expected += "\xC3\xA9\xF0\x9F\x98\x80";
  }
  EXPECT_EQ(convertToUtf8(le, "UTF-16LE"), expected);
  EXPECT_EQ(convertToUtf8(be, "UTF-16BE"), expected);
  EXPECT_EQ(convertToUtf8("", "UTF-16LE"), "");
  for (const auto& bad : {"a\x00" "b"s, "a\x00\x3D\xD8"s, "\x3D\xD8" "a\x00"s, "\x00\xDE"s}) {
    EXPECT_FALSE(convertToUtf8(bad, "UTF-16LE"));  // odd byte, unpaired surrogates
  }
  EXPECT_FALSE(convertToUtf8("text", "NO-SUCH-ENCODING"));
}

}  // namespace
}  // namespace qvx::utf8
