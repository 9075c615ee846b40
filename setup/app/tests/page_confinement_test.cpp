#include "page_confinement.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

namespace qvx {
namespace {

constexpr const char* kFolder = "file:///opt/qvx/Onboarder.app/Contents/Resources";

TEST(IsInsideFolder, FilesBelowTheFolderOnly) {
  EXPECT_TRUE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources/ui.html", kFolder));
  EXPECT_TRUE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources/img/logo.svg", kFolder));
  EXPECT_TRUE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources/ui.html#done", kFolder));
  EXPECT_TRUE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources/ui.html?x=../..", kFolder));
  EXPECT_TRUE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources/ui.html",
                             "file:///opt/qvx/Onboarder.app/Contents/Resources/"));

  EXPECT_FALSE(isInsideFolder(kFolder, kFolder));
  EXPECT_FALSE(isInsideFolder(std::string(kFolder) + "/", kFolder));
  EXPECT_FALSE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/Resources-other/ui.html", kFolder));
  EXPECT_FALSE(isInsideFolder("file:///opt/qvx/Onboarder.app/Contents/ResourcesX", kFolder));
  EXPECT_FALSE(isInsideFolder("file:///etc/passwd", kFolder));
  EXPECT_FALSE(isInsideFolder("http://example.com/opt/qvx/Onboarder.app/Contents/Resources/ui.html", kFolder));
  EXPECT_FALSE(isInsideFolder("about:blank", kFolder));
  EXPECT_FALSE(isInsideFolder("", kFolder));
  EXPECT_FALSE(isInsideFolder("FILE:///opt/qvx/Onboarder.app/Contents/Resources/ui.html", kFolder));
}

TEST(IsInsideFolder, DotSegmentsAndEncodedSlashesCannotLeaveTheFolder) {
  const std::string base = std::string(kFolder) + "/";
  for (const char* escape : {"../../../../etc/passwd", "img/../../x.html", "./ui.html", "%2e%2E/x.html",
                             "%2E/ui.html", ".%2e/x.html", "..%2Fx.html", "a%2f..%2f..%2fx", "ui.html%00.png"}) {
    EXPECT_FALSE(isInsideFolder(base + escape, kFolder)) << escape;
  }
  EXPECT_TRUE(isInsideFolder(base + "..hidden/x%20y.html", kFolder));
  EXPECT_TRUE(isInsideFolder(base + "%zz", kFolder));  // not an escape, a plain name
}

TEST(IsInsideFolder, OnlyAFileFolderConfinesAnything) {
  EXPECT_FALSE(isInsideFolder("http://host/x/ui.html", "http://host/x"));
  EXPECT_FALSE(isInsideFolder("/x/ui.html", "/x"));
}

// The rule list as WebKit reads it: the last matching rule decides, and the
// url-filter is a regular expression matched against the whole URL.
bool blocked(const nlohmann::json& rules, const std::string& url) {
  bool block = false;
  for (const auto& rule : rules) {
    const auto& trigger = rule.at("trigger");
    const bool caseSensitive = trigger.value("url-filter-is-case-sensitive", false);
    const std::regex filter(trigger.at("url-filter").get<std::string>(),
                            caseSensitive ? std::regex::ECMAScript : std::regex::ECMAScript | std::regex::icase);
    if (!std::regex_search(url, filter)) continue;
    const auto type = rule.at("action").at("type").get<std::string>();
    if (type == "block") block = true;
    if (type == "ignore-previous-rules") block = false;
  }
  return block;
}

TEST(ContentRulesForFolder, BlockEverythingButTheFolderAndInlineData) {
  // Characters that mean something in a regular expression, in the folder's name.
  const std::string folder = "file:///tmp/a.b+c(1)%5B%5D$^/Re[s]ources";
  const auto rules = nlohmann::json::parse(contentRulesForFolder(folder + "/"));
  ASSERT_TRUE(rules.is_array());
  EXPECT_FALSE(blocked(rules, folder + "/ui.html"));
  EXPECT_FALSE(blocked(rules, folder + "/img/logo.png"));
  EXPECT_FALSE(blocked(rules, "data:image/png;base64,AAAA"));

  EXPECT_TRUE(blocked(rules, "file:///tmp/aXb+c(1)%5B%5D$^/Re[s]ources/ui.html"));
  EXPECT_TRUE(blocked(rules, "file:///tmp/a.bbc1%5B%5D$^/Res/ui.html"));
  EXPECT_TRUE(blocked(rules, "file:///tmp/A.B+C(1)%5B%5D$^/RE[S]OURCES/ui.html"));
  EXPECT_TRUE(blocked(rules, folder + "-other/ui.html"));
  EXPECT_TRUE(blocked(rules, "file:///etc/passwd"));
  EXPECT_TRUE(blocked(rules, "http://127.0.0.1:8080/remote.js"));
  EXPECT_TRUE(blocked(rules, "https://example.com/" + folder + "/ui.html"));
  EXPECT_TRUE(blocked(rules, "ws://127.0.0.1/socket"));
  EXPECT_TRUE(blocked(rules, "blob:file:///x"));
}

}  // namespace
}  // namespace qvx
