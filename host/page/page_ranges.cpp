#include "page_ranges.h"

#include <algorithm>
#include <charconv>

namespace pdehost::page {
namespace {

constexpr int kLargestPage = 999999;

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// A page number: digits only, 1 and up.
std::optional<int> pageNumber(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > kLargestPage) return std::nullopt;
  return value;
}

// Sorted by first page, touching or overlapping ranges joined.
std::vector<PageRange> joined(std::vector<PageRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const PageRange& a, const PageRange& b) { return a.first < b.first; });
  std::vector<PageRange> out;
  for (const PageRange& range : ranges) {
    if (!out.empty() && (!out.back().last || *out.back().last + 1 >= range.first)) {
      PageRange& last = out.back();
      if (last.last) last.last = range.last ? std::max(*last.last, *range.last) : range.last;
      continue;
    }
    out.push_back(range);
  }
  return out;
}

}  // namespace

ParsedRanges parsePageRanges(std::string_view text, std::optional<int> longestDocument) {
  ParsedRanges parsed;
  if (trimmed(text).empty()) return parsed;
  std::vector<PageRange> ranges;
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = text.find(',', at);
    const std::string_view piece = trimmed(text.substr(at, comma == std::string_view::npos ? text.npos : comma - at));
    const auto fail = [&](RangeProblem problem) {
      parsed.error = RangeError{problem, std::string(piece), longestDocument.value_or(0)};
      return parsed;
    };
    PageRange range;
    const std::size_t dash = piece.find('-');
    if (dash == std::string_view::npos) {
      const auto page = pageNumber(piece);
      if (!page) return fail(RangeProblem::NotAPageNumber);
      range = {*page, *page};
    } else {
      const auto first = pageNumber(piece.substr(0, dash));
      const std::string_view rest = trimmed(piece.substr(dash + 1));
      const auto last = rest.empty() ? std::nullopt : pageNumber(rest);
      if (!first || (!rest.empty() && !last)) return fail(RangeProblem::NotAPageNumber);
      if (last && *last < *first) return fail(RangeProblem::Backwards);
      range = {*first, last};
    }
    if (longestDocument && range.first > *longestDocument) return fail(RangeProblem::PastTheEnd);
    ranges.push_back(range);
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  parsed.ranges = joined(std::move(ranges));
  return parsed;
}

std::string pageRangesOption(const std::vector<PageRange>& ranges) {
  std::string option;
  for (const PageRange& range : ranges) {
    if (!option.empty()) option += ',';
    option += std::to_string(range.first);
    if (range.last == range.first) continue;
    option += '-';
    if (range.last) option += std::to_string(*range.last);
  }
  return option;
}

}  // namespace pdehost::page
