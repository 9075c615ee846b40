#include "toolkit/strings_file.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(Strings, ParsesPairsCommentsAndEscapes) {
  std::string error;
  auto table = parseStrings(
      "/* Panel name */\n"
      "\"Image Quality\" = \"Image Quality\";\n"
      "// a line comment\n"
      "\"Quote\" = \"say \\\"hi\\\"\\n\\tback\\\\slash\";\n"
      "\"Unicode\"=\"caf\\u00E9 \\U00e9\";\n"
      "\"Pair\" = \"\\uD83D\\uDE00\";\n"
      "bare_key = \"bare\";\n"
      "\"Same\";\n"
      "\"Dup\" = \"first\"; \"Dup\" = \"second\";\n"
      "\"Grüße\" = \"Grüße\";",
      &error);
  ASSERT_TRUE(table) << error;
  EXPECT_EQ(table->at("Image Quality"), "Image Quality");
  EXPECT_EQ(table->at("Quote"), "say \"hi\"\n\tback\\slash");
  EXPECT_EQ(table->at("Unicode"), "caf\xC3\xA9 \xC3\xA9");
  EXPECT_EQ(table->at("Pair"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(table->at("bare_key"), "bare");
  EXPECT_EQ(table->at("Same"), "Same");
  EXPECT_EQ(table->at("Dup"), "second");
  EXPECT_EQ(table->at("Grüße"), "Grüße");
  EXPECT_EQ(table->size(), 8u);
}

TEST(Strings, EmptyAndCommentOnlyTablesAreEmpty) {
  std::string error;
  EXPECT_TRUE(parseStrings("", &error)->empty());
  EXPECT_TRUE(parseStrings("  /* nothing */ // here\n", &error)->empty());
  EXPECT_TRUE(parseStrings("\xEF\xBB\xBF", &error)->empty());
}

TEST(Strings, Utf16WithByteOrderMark) {
  std::string error;
  const std::u16string text = u"\"K\" = \"V\u00E9\";";
  std::string little = "\xFF\xFE";
  std::string big = "\xFE\xFF";
  for (char16_t c : text) {
    little += static_cast<char>(c & 0xFF);
    little += static_cast<char>(c >> 8);
    big += static_cast<char>(c >> 8);
    big += static_cast<char>(c & 0xFF);
  }
  auto a = parseStrings(little, &error);
  ASSERT_TRUE(a) << error;
  EXPECT_EQ(a->at("K"), "V\xC3\xA9");
  auto b = parseStrings(big, &error);
  ASSERT_TRUE(b) << error;
  EXPECT_EQ(b->at("K"), "V\xC3\xA9");
  EXPECT_FALSE(parseStrings(std::string("\xFF\xFE\x41", 3), &error));
  EXPECT_EQ(error, "not valid UTF-16");
}

struct Bad {
  const char* text;
  const char* expected;
};
void PrintTo(const Bad& c, std::ostream* os) { *os << c.text; }

class MalformedStrings : public testing::TestWithParam<Bad> {};

TEST_P(MalformedStrings, ReportsWhatAndWhere) {
  std::string error;
  EXPECT_FALSE(parseStrings(GetParam().text, &error));
  EXPECT_EQ(error, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedStrings,
    testing::Values(Bad{"\"a\" = \"b\"", "line 1: expected \";\" after the value"},
                    Bad{"\"a\" = \"b\";\n\"c\" \"d\";", "line 2: expected \"=\" after the key"},
                    Bad{"\"a\" = \"b;", "line 1: a quoted text is not closed"},
                    Bad{"\n\n/* open", "line 3: a comment is not closed"},
                    Bad{"\"a\" = ;", "line 1: expected a value in double quotes"},
                    Bad{"= \"b\";", "line 1: expected a key in double quotes"},
                    Bad{"\"a\" = \"\\q\";", "line 1: unknown escape \\q"},
                    Bad{"\"a\" = \"\\u12\";", "line 1: \\u needs four hexadecimal digits"},
                    Bad{"\"a\" = \"\\uD800x\";", "line 1: an unpaired surrogate in \\u"},
                    Bad{"\"a\" = \"\\uDC00\";", "line 1: \\u names no character"},
                    Bad{"\"a\" = \"\xC3\";", "not valid UTF-8"},
                    Bad{"\"a\" = \"\xE9t\xE9\";", "not valid UTF-8"}));

TEST(Strings, NulInsideIsRefused) {
  std::string error;
  EXPECT_FALSE(parseStrings(std::string("\"a\" = \"b\0\";", 10), &error));
  EXPECT_EQ(error, "holds a NUL character");
}

TEST(Strings, MissingFileNamesThePath) {
  std::string error;
  EXPECT_FALSE(loadStringsFile("/nonexistent/Localizable.strings", &error));
  EXPECT_NE(error.find("/nonexistent/Localizable.strings: cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace toolkit
