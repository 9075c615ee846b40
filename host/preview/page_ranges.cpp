#include "page_ranges.h"

#include <charconv>
#include <climits>

namespace pdehost::preview {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// A whole positive number; nothing for anything else.
std::optional<int> number(std::string_view s) {
  s = trim(s);
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value < 1) return std::nullopt;
  return value;
}

}  // namespace

std::optional<PageRanges> PageRanges::parse(std::string_view text, std::string* error) {
  PageRanges result;
  if (trim(text).empty()) return result;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = trim(text.substr(0, comma));
    const std::size_t dash = item.find('-');
    std::optional<int> first, last;
    if (dash == std::string_view::npos) {
      first = last = number(item);
    } else {
      const std::string_view from = trim(item.substr(0, dash)), to = trim(item.substr(dash + 1));
      first = from.empty() ? std::optional<int>(1) : number(from);
      last = to.empty() ? std::optional<int>(INT_MAX) : number(to);
      if (from.empty() && to.empty()) first.reset();
    }
    if (!first || !last || *first > *last) {
      if (error) *error = "page range \"" + std::string(item) + "\" is not a page number or a range such as 2-5";
      return std::nullopt;
    }
    result.ranges_.push_back({*first, *last});
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return result;
}

bool PageRanges::contains(int number) const {
  if (ranges_.empty()) return true;
  for (const Range& r : ranges_) {
    if (number >= r.first && number <= r.last) return true;
  }
  return false;
}

}  // namespace pdehost::preview
