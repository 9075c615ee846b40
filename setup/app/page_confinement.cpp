#include "page_confinement.h"

#include <nlohmann/json.hpp>

namespace qvx {

namespace {

std::string_view withoutTrailingSlashes(std::string_view uri) {
  while (!uri.empty() && uri.back() == '/') uri.remove_suffix(1);
  return uri;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// The content rule engine reads url-filter as a regular expression.
std::string regexLiteral(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

}  // namespace

bool isInsideFolder(std::string_view uri, std::string_view folderUri) {
  folderUri = withoutTrailingSlashes(folderUri);
  if (folderUri.rfind("file:///", 0) != 0) return false;
  if (uri.size() <= folderUri.size() + 1 || uri.substr(0, folderUri.size()) != folderUri ||
      uri[folderUri.size()] != '/') {
    return false;
  }
  std::string_view rest = uri.substr(folderUri.size() + 1);
  rest = rest.substr(0, rest.find_first_of("?#"));
  while (true) {
    const auto slash = rest.find('/');
    const std::string segment = percentDecoded(rest.substr(0, slash));
    if (segment == "." || segment == ".." || segment.find('/') != std::string::npos ||
        segment.find('\0') != std::string::npos) {
      return false;
    }
    if (slash == std::string_view::npos) return true;
    rest.remove_prefix(slash + 1);
  }
}

std::string contentRulesForFolder(std::string_view folderUri) {
  const std::string folder = "^" + regexLiteral(withoutTrailingSlashes(folderUri)) + "/";
  nlohmann::json rules = nlohmann::json::array();
  rules.push_back({{"trigger", {{"url-filter", ".*"}}}, {"action", {{"type", "block"}}}});
  rules.push_back({{"trigger", {{"url-filter", folder}, {"url-filter-is-case-sensitive", true}}},
                   {"action", {{"type", "ignore-previous-rules"}}}});
  rules.push_back({{"trigger", {{"url-filter", "^data:"}}}, {"action", {{"type", "ignore-previous-rules"}}}});
  return rules.dump();
}

}  // namespace qvx
