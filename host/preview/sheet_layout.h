// Where CUPS puts each page of a document on the sheets it prints: the
// number-up grid, the scaling and the turn for landscape, as CUPS' PDF filter
// (pdftopdf) lays them out. Plain arithmetic, no drawing.
#pragma once

#include <vector>

#include "page_ranges.h"
#include "preview_job.h"

namespace pdehost::preview {

struct PageSize {
  double width = 0, height = 0;
};

// x' = xx x + xy y + x0, y' = yx x + yy y + y0 (cairo's order of fields).
struct Affine {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
};

// One page on a sheet: the map from the page's points onto the sheet's
// points, both with the origin at the lower left and y upwards.
struct Placement {
  int page = 0;  // counted from 0 within its document
  PageSize size;
  Affine toSheet;
};

struct SheetPlan {
  // The sheet as the pages read upright on it: wider than high when CUPS
  // lays it out across the paper (2 or 6 per sheet, or landscape).
  double width = 0, height = 0;
  // How far CUPS turns that sheet clockwise for the paper to run through
  // the printer: 0 or 90.
  int feedRotation = 0;
  std::vector<Placement> pages;
};

struct LayoutOptions {
  Paper paper;
  Orientation orientation = Orientation::Portrait;
  int numberUp = 1;
  bool fitToPage = false;
};

bool isSupportedNumberUp(int numberUp);

// The sheets of one document, all of them, in document order. An
// unsupported number of pages per sheet counts as one.
std::vector<SheetPlan> layoutDocument(const std::vector<PageSize>& pages, const LayoutOptions& options);

// The sheets of `count` that print, in the order they come out.
std::vector<int> sheetsToPrint(int count, const PageRanges& ranges, bool reverseOrder);

}  // namespace pdehost::preview
