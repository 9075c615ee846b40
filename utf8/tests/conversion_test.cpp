#include "utf8/conversion.h"

#include <gtest/gtest.h>

namespace qvx::utf8 {
namespace {

std::string utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// Longer than the converter's buffer, with two-byte characters on its edges.
TEST(Conversion, ConvertsTextOfAnyLengthWhole) {
  std::u16string text;
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    text += i % 3 ? u"\u00E9" : u"\U0001F600";
    expected += i % 3 ? "\xC3\xA9" : "\xF0\x9F\x98\x80";
  }
  EXPECT_EQ(convertToUtf8(utf16(text, false), "UTF-16LE"), expected);
  EXPECT_EQ(convertToUtf8(utf16(text, true), "UTF-16BE"), expected);
  EXPECT_EQ(convertToUtf8("", "UTF-16LE"), "");
  EXPECT_EQ(convertToUtf8("Caf\xE9", "ISO-8859-1"), "Caf\xC3\xA9");
}

TEST(Conversion, InvalidOrIncompleteInputGivesNothing) {
  for (bool bigEndian : {false, true}) {
    const char* encoding = bigEndian ? "UTF-16BE" : "UTF-16LE";
    EXPECT_FALSE(convertToUtf8(utf16(u"ab", bigEndian) + "c", encoding));                  // odd byte
    EXPECT_FALSE(convertToUtf8(utf16(u"a\xD83D", bigEndian), encoding));                   // high surrogate last
    EXPECT_FALSE(convertToUtf8(utf16(u"\xD83D" u"a", bigEndian), encoding));               // high without low
    EXPECT_FALSE(convertToUtf8(utf16(u"a\xDE00" u"b", bigEndian), encoding));              // low alone
  }
  EXPECT_FALSE(convertToUtf8("\x81", "SHIFT_JIS"));
  EXPECT_FALSE(convertToUtf8("text", "NO-SUCH-ENCODING"));
}

}  // namespace
}  // namespace qvx::utf8
