#include "page_confinement.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

namespace qvx {
namespace {

using namespace std::string_literals;

constexpr const char* kFolder = "file:///opt/qvx/Onboarder.app/Contents/Resources";

TEST(IsInsideFolder, FilesBelowTheFolderOnly) {
  const std::string base = std::string(kFolder) + "/";
  for (const char* inside : {"ui.html", "img/logo.svg", "ui.html#done", "ui.html?x=../.."}) {
    EXPECT_TRUE(isInsideFolder(base + inside, kFolder)) << inside;
  }
  EXPECT_TRUE(isInsideFolder(base + "ui.html", base));

  for (const std::string& outside : {std::string(kFolder), base, kFolder + "-other/ui.html"s, kFolder + "X"s,
                                     "file:///etc/passwd"s, "about:blank"s, ""s,
                                     "http://example.com/opt/qvx/Onboarder.app/Contents/Resources/ui.html"s,
                                     "FILE:///opt/qvx/Onboarder.app/Contents/Resources/ui.html"s}) {
    EXPECT_FALSE(isInsideFolder(outside, kFolder)) << outside;
  }
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
  const std::string dataUrl = "data:image/png;base64,AAAA";
  for (const std::string& allowed : {folder + "/ui.html", folder + "/img/logo.png", dataUrl}) {
    EXPECT_FALSE(blocked(rules, allowed)) << allowed;
  }
  for (const std::string& url :
       {"file:///tmp/aXb+c(1)%5B%5D$^/Re[s]ources/ui.html"s, "file:///tmp/a.bbc1%5B%5D$^/Res/ui.html"s,
        "file:///tmp/A.B+C(1)%5B%5D$^/RE[S]OURCES/ui.html"s, folder + "-other/ui.html", "file:///etc/passwd"s,
        "http://127.0.0.1:8080/remote.js"s, "https://example.com/" + folder + "/ui.html", "ws://127.0.0.1/socket"s,
        "blob:file:///x"s}) {
    EXPECT_TRUE(blocked(rules, url)) << url;
  }
}

}  // namespace
}  // namespace qvx
