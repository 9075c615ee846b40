#include "bridge/script_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace qvx {
namespace {

TEST(ScriptText, BuildsTheApplyCall) {
  EXPECT_EQ(scriptText("onStep", "Copying driver"), R"(window.onStep.apply(null, ["Copying driver"]);)");
  EXPECT_EQ(scriptText("onDone", ""), R"(window.onDone.apply(null, [""]);)");
}

TEST(ScriptText, EscapesQuoteBackslashAndSlash) {
  EXPECT_EQ(scriptText("onWarn", R"(say "hi" \ a/b)"), R"(window.onWarn.apply(null, ["say \"hi\" \\ a\/b"]);)");
}

TEST(ScriptText, EscapesControlCharacters) {
  EXPECT_EQ(scriptText("onStep", "\b\f\n\r\t"), R"(window.onStep.apply(null, ["\b\f\n\r\t"]);)");
  EXPECT_EQ(scriptText("onStep", std::string_view("\x00\x01\x1f\x7f", 4)),
            "window.onStep.apply(null, [\"\\u0000\\u0001\\u001f\x7f\"]);");
}

TEST(ScriptText, NonAsciiStandsAsItself) {
  EXPECT_EQ(scriptText("onStep", "Café \u2028 \U0001F600"), "window.onStep.apply(null, [\"Café \u2028 \U0001F600\"]);");
}

TEST(ScriptText, InvalidUtf8GivesTheArrayOfOneEmptyString) {
  for (std::string_view bad : {std::string_view("\xff"), std::string_view("a\xc3"), std::string_view("\xed\xa0\x80"),
                               std::string_view("\xc0\xaf"), std::string_view("\xf4\x90\x80\x80")}) {
    EXPECT_EQ(scriptText("onError", bad), R"(window.onError.apply(null, [""]);)");
  }
}

TEST(ScriptText, ArrayTextDecodesBackToTheArgument) {
  std::string every;
  for (int c = 0; c < 0x80; ++c) every += static_cast<char>(c);
  every += "ü€\U00010348";
  std::string array;
  ASSERT_TRUE(appendJsonArrayOfString(array, every));
  EXPECT_EQ(array.find('\n'), std::string::npos);
  const auto decoded = nlohmann::json::parse(array);
  ASSERT_TRUE(decoded.is_array());
  ASSERT_EQ(decoded.size(), 1u);
  EXPECT_EQ(decoded[0].get<std::string>(), every);
}

}  // namespace
}  // namespace qvx
