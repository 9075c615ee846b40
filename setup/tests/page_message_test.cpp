#include "bridge/page_message.h"

#include <gtest/gtest.h>

namespace qvx {
namespace {

bool ignored(std::string_view body) { return std::holds_alternative<IgnoredMessage>(decodePageMessage(body)); }

TEST(PageMessage, BodiesThatAreNotObjectsAreIgnored) {
  for (const char* body : {R"("install")", "42", "true", "null", R"(["install"])", "[]", "", "{", "not json",
                           R"({"cmd":"install"} trailing)", "\xff"}) {
    EXPECT_TRUE(ignored(body)) << body;
  }
}

TEST(PageMessage, ObjectsWithoutAStringCmdAreIgnored) {
  for (const char* body : {"{}", R"({"command":"install"})", R"({"cmd":1})", R"({"cmd":null})",
                           R"({"cmd":["install"]})", R"({"cmd":{"install":1}})"}) {
    EXPECT_TRUE(ignored(body)) << body;
  }
}

TEST(PageMessage, CommandsAreCaseSensitive) {
  for (const char* body : {R"({"cmd":"Install"})", R"({"cmd":"QUIT"})", R"({"cmd":"install "})",
                           R"({"cmd":""})", R"({"cmd":"showLog"})"}) {
    EXPECT_TRUE(ignored(body)) << body;
  }
  EXPECT_TRUE(std::holds_alternative<ShowLogMessage>(decodePageMessage(R"({"cmd":"showlog"})")));
  EXPECT_TRUE(std::holds_alternative<QuitMessage>(decodePageMessage(R"( {"cmd":"quit","extra":[1,2]} )")));
}

TEST(PageMessage, InstallReadsItsThreeStringsAndTreatsOthersAsEmpty) {
  auto message = decodePageMessage(R"({"cmd":"install","office":"Zürich","name":"Ana \"A\"","code":"12/34"})");
  auto* install = std::get_if<InstallMessage>(&message);
  ASSERT_NE(install, nullptr);
  EXPECT_EQ(install->office, "Zürich");
  EXPECT_EQ(install->name, "Ana \"A\"");
  EXPECT_EQ(install->code, "12/34");

  message = decodePageMessage(R"({"cmd":"install","office":7,"name":null,"other":"x"})");
  install = std::get_if<InstallMessage>(&message);
  ASSERT_NE(install, nullptr);
  EXPECT_EQ(install->office, "");
  EXPECT_EQ(install->name, "");
  EXPECT_EQ(install->code, "");
}

TEST(PageMessage, DeepNestingDoesNotCrash) {
  const std::string deep = R"({"cmd":"install","office":)" + std::string(100000, '[') + std::string(100000, ']') + "}";
  EXPECT_TRUE(std::holds_alternative<InstallMessage>(decodePageMessage(deep)));
  EXPECT_TRUE(ignored(std::string(100000, '[')));
}

}  // namespace
}  // namespace qvx
