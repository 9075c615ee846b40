#include "utf8/utf8.h"

#include <gtest/gtest.h>

namespace qvx::utf8 {
namespace {

struct Encoded {
  char32_t code;
  std::string bytes;
};

// The first and last code points of each length, and those around the surrogates.
const Encoded kBoundaries[] = {
    {0x7F, "\x7F"},          {0x80, "\xC2\x80"},         {0x7FF, "\xDF\xBF"},
    {0x800, "\xE0\xA0\x80"}, {0xD7FF, "\xED\x9F\xBF"},   {0xE000, "\xEE\x80\x80"},
    {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
};

const char* const kMalformed[] = {
    "\x80",             // stray continuation byte
    "\xC0\x80",         // overlong forms
    "\xC1\xBF",
    "\xE0\x9F\xBF",
    "\xF0\x8F\xBF\xBF",
    "\xED\xA0\x80",     // surrogates
    "\xED\xBF\xBF",
    "\xF4\x90\x80\x80",  // above U+10FFFF
    "\xF5\x80\x80\x80",
    "\xFF",
    "\xC3",             // cut short
    "\xE2\x82",
    "\xF0\x9F\x98",
    "\xC3\x41",         // a continuation byte missing
    "\xE2\x28\xA1",
};

TEST(Utf8, EncodesDecodesAndMeasuresEachLength) {
  for (const auto& [code, bytes] : kBoundaries) {
    std::string out;
    append(out, code);
    EXPECT_EQ(out, bytes) << std::hex << static_cast<unsigned>(code);
    EXPECT_EQ(sequenceLength(bytes + "x"), bytes.size()) << std::hex << static_cast<unsigned>(code);
    std::size_t length = 0;
    EXPECT_EQ(decodeAt("a" + bytes, 1, length), code);
    EXPECT_EQ(length, bytes.size());
    EXPECT_EQ(decodeBefore(bytes + "a", bytes.size(), length), code);
    EXPECT_EQ(length, bytes.size());
  }
}

// Every sequence at every offset of an ASCII run, so that it falls before,
// inside and after each eight-byte word the fast path looks at.
TEST(Utf8, ValidityDoesNotDependOnWhereASequenceStands) {
  EXPECT_TRUE(isValid(""));
  for (std::size_t offset = 0; offset <= 17; ++offset) {
    const std::string before(offset, 'a');
    for (const auto& [code, bytes] : kBoundaries) {
      EXPECT_TRUE(isValid(before + bytes + "tail of ascii")) << std::hex << static_cast<unsigned>(code) << " at " << offset;
    }
    for (const char* bad : kMalformed) {
      EXPECT_FALSE(isValid(before + bad)) << offset;
      EXPECT_FALSE(isValid(before + bad + "tail of ascii")) << offset;
      EXPECT_EQ(sequenceLength(bad), 0u);
    }
  }
}

TEST(Utf8, DecodingMalformedBytesNeverReadsPastTheText) {
  std::size_t length = 0;
  EXPECT_EQ(decodeAt("\xE2\x82", 0, length), U'\uFFFD');
  EXPECT_EQ(length, 1u);
  EXPECT_EQ(decodeBefore("a\x82", 2, length), U'\uFFFD');
  EXPECT_EQ(length, 1u);
  EXPECT_EQ(decodeBefore("\x80\x80\x80\x80\x80", 5, length), U'\uFFFD');
  EXPECT_EQ(length, 1u);
  EXPECT_EQ(sequenceLength(""), 0u);
}

}  // namespace
}  // namespace qvx::utf8
