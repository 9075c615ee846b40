#include "byte_codes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ReplaceSpaceCode, ControlBytesAndQuotesBecomeSpaces) {
  std::string buffer;
  for (int c = 0; c <= 0x23; ++c) buffer.push_back(static_cast<char>(c));
  buffer += "ok";
  ReplaceSpaceCode(buffer.data(), static_cast<long>(buffer.size()));
  EXPECT_EQ(buffer[0], '\0');  // NUL stays
  EXPECT_EQ(buffer[9], '\t');  // TAB stays
  for (int c = 1; c <= 0x1F; ++c) {
    if (c != 9) {
      EXPECT_EQ(buffer[static_cast<size_t>(c)], ' ') << "byte " << c;
    }
  }
  EXPECT_EQ(buffer[0x20], ' ');
  EXPECT_EQ(buffer[0x21], '!');
  EXPECT_EQ(buffer[0x22], ' ');  // the double quote
  EXPECT_EQ(buffer[0x23], '#');
  EXPECT_EQ(buffer.substr(0x24), "ok");
}

TEST(ReplaceSpaceCode, OnlyWithinTheLength) {
  char text[] = "\x01\x02\"";
  ReplaceSpaceCode(text, 2);
  EXPECT_STREQ(text, "  \"");
  char untouched[] = "\x01";
  ReplaceSpaceCode(untouched, 0);
  ReplaceSpaceCode(untouched, -5);
  EXPECT_EQ(untouched[0], '\x01');
  ReplaceSpaceCode(nullptr, 4);
}

TEST(HexCodes, EncodeUpperCaseHighNibbleFirstAndDecodeBack) {
  const unsigned char source[] = {0x00, 0x0F, 0xA5, 0xFF, 0x7E};
  char hex[11];
  myitoa(source, hex, 5);
  EXPECT_STREQ(hex, "000FA5FF7E");
  unsigned char back[6];
  myatoi(hex, back, 10);
  EXPECT_EQ(std::memcmp(back, source, 5), 0);
  EXPECT_EQ(back[5], 0);

  char empty[1] = {'x'};
  myitoa(source, empty, 0);
  EXPECT_EQ(empty[0], '\0');
}

}  // namespace
