#include "../src/json_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace toolkit::json {
namespace {

struct Parsed {
  Document document;
  std::string error;
  bool ok = false;
};

std::unique_ptr<Parsed> parse(std::string_view text) {
  auto p = std::make_unique<Parsed>();
  p->ok = read(text, p->document, &p->error);
  return p;
}

TEST(JsonReader, ReadsEveryKindInTextOrder) {
  const std::string text =
      R"( {"b": [1, -0, 2.5, -1e2, 9223372036854775807, 9223372036854775808],
           "a": {"t": true, "f": false, "n": null}, "s": "x\"\\\/\b\f\n\r\t\u00e9\ud83d\ude00y", "e": ""} )";
  auto p = parse(text);
  ASSERT_TRUE(p->ok) << p->error;
  const Value& root = p->document.root();
  ASSERT_TRUE(root.isObject());
  ASSERT_EQ(root.members.size(), 4u);
  EXPECT_EQ(root.members[0].key, "b");  // not sorted
  EXPECT_EQ(root.members[1].key, "a");

  const auto& numbers = root.find("b")->elements;
  ASSERT_EQ(numbers.size(), 6u);
  EXPECT_TRUE(numbers[0].isInteger());
  EXPECT_EQ(numbers[0].integer, 1);
  EXPECT_TRUE(numbers[1].isInteger());
  EXPECT_EQ(numbers[2].kind, Kind::real);
  EXPECT_DOUBLE_EQ(numbers[2].number(), 2.5);
  EXPECT_DOUBLE_EQ(numbers[3].number(), -100.0);
  EXPECT_FALSE(numbers[3].isInteger());
  EXPECT_EQ(numbers[4].integer, INT64_MAX);
  EXPECT_EQ(numbers[5].kind, Kind::real);  // beyond 64 bits: kept as a number, not an integer
  EXPECT_DOUBLE_EQ(numbers[5].number(), 9223372036854775808.0);

  const Value* a = root.find("a");
  EXPECT_TRUE(a->find("t")->boolean);
  EXPECT_TRUE(a->find("f")->isBoolean());
  EXPECT_FALSE(a->find("f")->boolean);
  EXPECT_EQ(a->find("n")->kind, Kind::null);
  EXPECT_EQ(a->find("missing"), nullptr);
  EXPECT_EQ(root.find("b")->find("x"), nullptr);  // arrays have no members

  EXPECT_EQ(root.find("s")->text, "x\"\\/\b\f\n\r\t\xC3\xA9\xF0\x9F\x98\x80y");
  EXPECT_TRUE(root.find("e")->isString());
  EXPECT_EQ(root.find("e")->text, "");
}

TEST(JsonReader, KeepsEmbeddedNulAndValidUtf8) {
  auto p = parse("[\"a\\u0000b\", \"Caf\xC3\xA9 \xE2\x82\xAC \xF4\x8F\xBF\xBF\"]");
  ASSERT_TRUE(p->ok) << p->error;
  EXPECT_EQ(p->document.root().elements[0].text, std::string_view("a\0b", 3));
  EXPECT_EQ(p->document.root().elements[1].text, "Caf\xC3\xA9 \xE2\x82\xAC \xF4\x8F\xBF\xBF");
}

TEST(JsonReader, SkipsALeadingByteOrderMarkOnly) {
  auto p = parse("\xEF\xBB\xBF {\"a\": 1}");
  ASSERT_TRUE(p->ok) << p->error;
  EXPECT_EQ(p->document.root().find("a")->integer, 1);
  EXPECT_FALSE(parse("{\"a\": \xEF\xBB\xBF 1}")->ok);
  EXPECT_FALSE(parse("\xEF\xBB {}")->ok);
}

TEST(JsonReader, TinyNumbersAreZeroHugeOnesAreRefused) {
  auto tiny = parse("[1e-400, -0.000000000000000000000000000000000000000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                    "00000000000000000000000000000000000000000000000000000000000000000000000000000000000000001]");
  ASSERT_TRUE(tiny->ok) << tiny->error;
  EXPECT_EQ(tiny->document.root().elements[0].number(), 0.0);
  EXPECT_EQ(tiny->document.root().elements[1].number(), 0.0);
  for (const char* huge : {"1e400", "-1e309", "[123456789e400]", "0.1e310"}) {
    auto p = parse(huge);
    EXPECT_FALSE(p->ok) << huge;
    EXPECT_NE(p->error.find("number out of range"), std::string::npos) << p->error;
  }
}

struct Bad {
  std::string text;
  std::string expected;
};

class MalformedJson : public testing::TestWithParam<Bad> {};

TEST_P(MalformedJson, IsRefusedWithItsPlace) {
  auto p = parse(GetParam().text);
  EXPECT_FALSE(p->ok);
  EXPECT_EQ(p->error, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedJson,
    testing::Values(Bad{"", "line 1, column 1: a value is missing"},
                    Bad{"  \n  ", "line 2, column 3: a value is missing"},
                    Bad{"{\"a\": 1,}", "line 1, column 9: expected a key in quotes"},
                    Bad{"[1,]", "line 1, column 4: not the start of a value"},
                    Bad{"[1 2]", "line 1, column 4: expected ',' or ']' in an array"},
                    Bad{"{\"a\" 1}", "line 1, column 6: expected ':' after a key"},
                    Bad{"{\"a\": 1 \"b\": 2}", "line 1, column 9: expected ',' or '}' in an object"},
                    Bad{"{\"a\": 1, \"a\": 2}", "line 1, column 1: an object gives the same key twice"},
                    Bad{"[\"a\" \n, {\"k\": 1, \"k\": 1}]", "line 2, column 3: an object gives the same key twice"},
                    Bad{"[1] x", "line 1, column 5: text after the end of the document"},
                    Bad{"[01]", "line 1, column 3: expected ',' or ']' in an array"},
                    Bad{"[-]", "line 1, column 3: a number needs digits"},
                    Bad{"[1.]", "line 1, column 4: a number needs digits after the point"},
                    Bad{"[1e+]", "line 1, column 5: a number needs digits in its exponent"},
                    Bad{"[+1]", "line 1, column 2: not the start of a value"},
                    Bad{"[NaN]", "line 1, column 2: not the start of a value"},
                    Bad{"[tru]", "line 1, column 2: not the start of a value"},
                    Bad{"[\"abc", "line 1, column 6: a string is not closed"},
                    Bad{"[\"a\tb\"]", "line 1, column 4: a control character must be escaped in a string"},
                    Bad{"[\"\\x\"]", "line 1, column 4: unknown escape in a string"},
                    Bad{"[\"\\u12g4\"]", "line 1, column 5: \\u needs four hexadecimal digits"},
                    Bad{"[\"\\udc00\"]", "line 1, column 9: \\u escape of a lone low surrogate"},
                    Bad{"[\"\\ud800x\"]", "line 1, column 9: \\u escape of a lone high surrogate"},
                    Bad{"[\"\\ud800\\u0041\"]", "line 1, column 15: \\u escape of a lone high surrogate"},
                    Bad{"[\"\xC3\"]", "line 1, column 3: a string is not valid UTF-8"},
                    Bad{"[\"\xC0\xAF\"]", "line 1, column 3: a string is not valid UTF-8"},      // overlong
                    Bad{"[\"\xE0\x80\xAF\"]", "line 1, column 3: a string is not valid UTF-8"},  // overlong
                    Bad{"[\"\xED\xA0\x80\"]", "line 1, column 3: a string is not valid UTF-8"},  // surrogate
                    Bad{"[\"\xF4\x90\x80\x80\"]", "line 1, column 3: a string is not valid UTF-8"},  // > U+10FFFF
                    Bad{"[\"\xFF\"]", "line 1, column 3: a string is not valid UTF-8"},
                    Bad{"{\"\xC3\": 1}", "line 1, column 3: a string is not valid UTF-8"}));

TEST(JsonReader, NestingIsLimitedNotOverflowed) {
  const int limit = Document::kMaxNesting;
  auto deepest = parse(std::string(limit, '[') + std::string(limit, ']'));
  EXPECT_TRUE(deepest->ok) << deepest->error;
  auto tooDeep = parse(std::string(100000, '[') + std::string(100000, ']'));
  EXPECT_FALSE(tooDeep->ok);
  EXPECT_NE(tooDeep->error.find("nested too deeply"), std::string::npos) << tooDeep->error;
  std::string objects;
  for (int i = 0; i <= limit; ++i) objects += "{\"a\":";
  objects += "1" + std::string(limit + 1, '}');
  EXPECT_FALSE(parse(objects)->ok);
}

TEST(JsonReader, ManyKeysAreCheckedForDuplicatesQuickly) {
  std::string text = "{";
  for (int i = 0; i < 20000; ++i) text += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ",";
  std::string unique = text;
  unique.back() = '}';
  auto p = parse(unique);
  ASSERT_TRUE(p->ok) << p->error;
  EXPECT_EQ(p->document.root().members.size(), 20000u);
  EXPECT_EQ(p->document.root().find("k19999")->integer, 19999);
  auto dup = parse(text + "\"k123\": 0}");
  EXPECT_FALSE(dup->ok);
  EXPECT_NE(dup->error.find("same key twice"), std::string::npos);
}

}  // namespace
}  // namespace toolkit::json
