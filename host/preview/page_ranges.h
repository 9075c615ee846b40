// CUPS' page-ranges option ("1-3,5,9-"): which sheets of a job print. CUPS'
// PDF filter applies it after putting pages on sheets, so with several pages
// per sheet the numbers count sheets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::preview {

class PageRanges {
 public:
  // Every number is in an empty list.
  PageRanges() = default;
  // Nothing, and `*error` says why, when the text is not a list of numbers
  // and ranges counted from 1.
  static std::optional<PageRanges> parse(std::string_view text, std::string* error);
  // `number` counts from 1.
  bool contains(int number) const;

 private:
  struct Range {
    int first, last;
  };
  std::vector<Range> ranges_;
};

}  // namespace pdehost::preview
