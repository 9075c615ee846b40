// Which pages of the documents to print, as a person types them: "1-3, 5, 8-".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::page {

struct PageRange {
  int first = 1;
  // None: to the end of the document ("8-").
  std::optional<int> last;
  bool operator==(const PageRange&) const = default;
};

enum class RangeProblem {
  NotAPageNumber,  // letters, a sign, a zero, a number too large, an empty piece
  Backwards,       // "5-2"
  PastTheEnd,      // a range that starts after the last page of every document
};

struct RangeError {
  RangeProblem problem;
  // The piece of the text that is wrong, as typed ("5-2"); for PastTheEnd,
  // the number of pages of the longest document is in `pages`.
  std::string piece;
  int pages = 0;
  // The numbers count sheets (several pages a sheet): `pages` is sheets.
  bool sheets = false;
};

struct ParsedRanges {
  // Ascending and apart, overlaps joined: the order the server requires
  // ("5, 1-3" prints pages 1 to 3 and 5). Empty: every page.
  std::vector<PageRange> ranges;
  std::optional<RangeError> error;
  bool ok() const { return !error; }
};

// Reads `text`: pieces separated by commas (blanks ignored), each a page
// "5", a span "1-3", or an open span "8-". An empty or blank text means every
// page. With `longestDocument` (pages of the longest document to print), a
// piece that starts after it is refused: it would print nothing.
ParsedRanges parsePageRanges(std::string_view text, std::optional<int> longestDocument = std::nullopt);

// The ranges as CUPS' "page-ranges" option reads them: "1-3,5,8-"; empty
// for every page.
std::string pageRangesOption(const std::vector<PageRange>& ranges);

}  // namespace pdehost::page
