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

ScriptBatch batchOf(const std::vector<std::string>& scripts) {
  ScriptBatch batch;
  for (const auto& script : scripts) batch.append(script);
  return batch;
}

TEST(BatchScriptText, ASingleScriptGoesAsItIs) {
  EXPECT_EQ(batchScriptText(batchOf({scriptText("onStep", "a")})), scriptText("onStep", "a"));
}

// The calls travel as JSON inside a single-quoted string: undoing the string's
// escapes and parsing the JSON gives back every function and argument.
TEST(BatchScriptText, CallsTravelAsDataThatDecodesBackToEachCall) {
  std::string every;
  for (int c = 1; c < 0x80; ++c) every += static_cast<char>(c);
  every += "ü€\u2028\U00010348";
  const std::vector<std::pair<std::string, std::string>> calls = {
      {"onStep", every}, {"onWarn", "it's a \\ and a '"}, {"onDone", ""}};
  std::vector<std::string> scripts;
  for (const auto& [function, argument] : calls) scripts.push_back(scriptText(function, argument));
  const std::string text = batchScriptText(batchOf(scripts));

  const std::string head = "for(const[f,a]of JSON.parse('";
  const std::string tail = "'))try{window[f].apply(null,a)}catch(e){}";
  ASSERT_EQ(text.substr(0, head.size()), head);
  ASSERT_EQ(text.substr(text.size() - tail.size()), tail);
  const std::string literal = text.substr(head.size(), text.size() - head.size() - tail.size());
  std::string json;
  for (std::size_t i = 0; i < literal.size(); ++i) {
    ASSERT_NE(literal[i], '\'') << "an unescaped quote would end the string at " << i;
    ASSERT_NE(literal[i], '\n');
    if (literal[i] == '\\') ++i;
    json += literal[i];
  }
  const auto decoded = nlohmann::json::parse(json);
  ASSERT_EQ(decoded.size(), calls.size());
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(decoded[i][0].get<std::string>(), calls[i].first);
    EXPECT_EQ(decoded[i][1], nlohmann::json::array({calls[i].second}));
  }
}

TEST(BatchScriptText, OtherScriptsRunEachInATryBlockOfItsOwn) {
  EXPECT_EQ(batchScriptText(batchOf({scriptText("onStep", "a"), "alert(1)"})),
            "try{window.onStep.apply(null, [\"a\"]);}catch(e){}\ntry{alert(1)}catch(e){}\n");
  // A call whose argument is not a JSON string array as ours are is not taken apart.
  EXPECT_EQ(batchScriptText(batchOf({"window.onStep.apply(null, [\"a\"]);", "window.onStep.apply(null, [\"a\"b\"]);"})),
            "try{window.onStep.apply(null, [\"a\"]);}catch(e){}\ntry{window.onStep.apply(null, [\"a\"b\"]);}catch(e){}\n");
}

}  // namespace
}  // namespace qvx
