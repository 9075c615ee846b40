// Which pages and how they sit on the sheet, sent as CUPS' own job options:
// the server's filters select, place and order the pages; pdehost never
// rewrites a document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "page_ranges.h"

namespace pdehost::page {

enum class Orientation { Portrait, Landscape };

struct PageLayout {
  std::vector<PageRange> pages;  // empty: every page
  int perSheet = 1;              // one of kPagesPerSheet
  Orientation orientation = Orientation::Portrait;
  bool fitToPage = false;
  bool reverse = false;
  bool collate = true;  // matters only with several copies
  bool operator==(const PageLayout&) const = default;
};

inline constexpr int kPagesPerSheet[] = {1, 2, 4, 6, 9, 16};
bool isPagesPerSheet(int n);

// The layout as job options (name, value), every one of them named so that
// a default kept by the server or in lpoptions cannot replace a choice the
// person made here; "collate" only with more than one copy.
std::vector<std::pair<std::string, std::string>> layoutJobOptions(const PageLayout& layout, int copies);

// The layout's options that are kept with the print settings, in presets
// and as the user's CUPS defaults: all but the page ranges, which belong to
// one job's documents.
bool isKeptLayoutOption(std::string_view name);

// The words of scripts and stored settings: "portrait", "landscape".
std::string_view orientationName(Orientation orientation);
std::optional<Orientation> orientationNamed(std::string_view name);

// The layout back from job options, as lpoptions or a preset keeps them;
// options it does not know, or values it cannot read, leave `layout`'s own.
void readLayoutOptions(const std::vector<std::pair<std::string, std::string>>& options, PageLayout& layout);

}  // namespace pdehost::page
