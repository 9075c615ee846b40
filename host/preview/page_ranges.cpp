#include "page_ranges.h"

#include <climits>

#include "page/page_ranges.h"

namespace pdehost::preview {

// The same reading as the dialog's and the scripts' "pages" field.
std::optional<PageRanges> PageRanges::parse(std::string_view text, std::string* error) {
  const page::ParsedRanges parsed = page::parsePageRanges(text);
  if (!parsed.ok()) {
    if (error) *error = "page range \"" + parsed.error->piece + "\" is not a page number or a range such as 2-5";
    return std::nullopt;
  }
  PageRanges result;
  for (const page::PageRange& range : parsed.ranges) result.ranges_.push_back({range.first, range.last.value_or(INT_MAX)});
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
