#include "sheet_layout.h"

#include <algorithm>
#include <array>

namespace pdehost::preview {
namespace {

struct Grid {
  int numberUp, columns, rows;
  bool across;  // laid out on the paper turned sideways
};

// CUPS' own choice of grid for each number of pages per sheet.
constexpr std::array<Grid, 6> kGrids = {{
    {1, 1, 1, false},
    {2, 2, 1, true},
    {4, 2, 2, false},
    {6, 3, 2, true},
    {9, 3, 3, false},
    {16, 4, 4, false},
}};

const Grid& gridFor(int numberUp) {
  for (const Grid& g : kGrids) {
    if (g.numberUp == numberUp) return g;
  }
  return kGrids[0];
}

struct Box {
  double x0, y0, x1, y1;
  double width() const { return x1 - x0; }
  double height() const { return y1 - y0; }
};

// Small differences in sizes (595.276 against 595) do not count.
constexpr double kSlack = 1.0;

}  // namespace

bool isSupportedNumberUp(int numberUp) {
  return std::any_of(kGrids.begin(), kGrids.end(), [&](const Grid& g) { return g.numberUp == numberUp; });
}

std::vector<SheetPlan> layoutDocument(const std::vector<PageSize>& pages, const LayoutOptions& options) {
  const Paper& paper = options.paper;
  const Grid& grid = gridFor(options.numberUp);
  const bool landscape = options.orientation == Orientation::Landscape;

  // The frame in which the pages stand upright, and its printable box. Laid
  // across, the paper's top edge becomes the frame's left edge.
  const double frameWidth = grid.across ? paper.height : paper.width;
  const double frameHeight = grid.across ? paper.width : paper.height;
  const Box printable = grid.across
                            ? Box{paper.height - paper.top, paper.left, paper.height - paper.bottom, paper.right}
                            : Box{paper.left, paper.bottom, paper.right, paper.top};

  std::vector<SheetPlan> sheets;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const int slot = static_cast<int>(i % static_cast<std::size_t>(grid.numberUp));
    if (slot == 0) {
      SheetPlan sheet;
      // Landscape turns the whole frame a quarter clockwise onto the sheet.
      sheet.width = landscape ? frameHeight : frameWidth;
      sheet.height = landscape ? frameWidth : frameHeight;
      sheet.feedRotation = grid.across != landscape ? 90 : 0;
      sheets.push_back(sheet);
    }
    const PageSize& page = pages[i];
    if (page.width <= 0 || page.height <= 0) continue;

    // A page no larger than the paper is taken as a whole sheet of paper
    // with the page at its lower left, and the cells share the whole frame;
    // a larger page, or any page fitted to the paper on request, is scaled
    // by its own size into the printable area.
    const bool asPaper =
        !options.fitToPage && page.width <= paper.width + kSlack && page.height <= paper.height + kSlack;
    const PageSize box = asPaper ? PageSize{paper.width, paper.height} : page;
    const Box area = asPaper ? Box{0, 0, frameWidth, frameHeight} : printable;
    const double cellWidth = area.width() / grid.columns;
    const double cellHeight = area.height() / grid.rows;
    const int column = slot % grid.columns, row = slot / grid.columns;
    const double cellX = area.x0 + column * cellWidth;
    const double cellY = area.y1 - (row + 1) * cellHeight;  // rows from the top
    const double scale = std::min(cellWidth / box.width, cellHeight / box.height);
    const double x = cellX + (cellWidth - scale * box.width) / 2;
    const double y = cellY + (cellHeight - scale * box.height) / 2;
    Placement placement{static_cast<int>(i), page, {}};
    if (landscape) {
      placement.toSheet = {0, -scale, scale, 0, y, frameWidth - x};
    } else {
      placement.toSheet = {scale, 0, 0, scale, x, y};
    }
    sheets.back().pages.push_back(placement);
  }
  return sheets;
}

std::vector<int> sheetsToPrint(int count, const PageRanges& ranges, bool reverseOrder) {
  std::vector<int> chosen;
  for (int i = 0; i < count; ++i) {
    if (ranges.contains(i + 1)) chosen.push_back(i);
  }
  if (reverseOrder) std::reverse(chosen.begin(), chosen.end());
  return chosen;
}

}  // namespace pdehost::preview
