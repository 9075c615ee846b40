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

  // The sheet as its pages read: the paper turned sideways when the grid
  // lies across it (2 or 6 per sheet) or the job is landscape, not both.
  // Turned, the paper's top edge is the sheet's left edge.
  const bool sideways = grid.across != landscape;
  const double sheetWidth = sideways ? paper.height : paper.width;
  const double sheetHeight = sideways ? paper.width : paper.height;
  const Box printable = sideways ? Box{paper.height - paper.top, paper.left, paper.height - paper.bottom, paper.right}
                                 : Box{paper.left, paper.bottom, paper.right, paper.top};
  // Landscape turns the grid with the pages.
  const int columns = landscape ? grid.rows : grid.columns, rows = landscape ? grid.columns : grid.rows;
  const double paperLong = std::max(paper.width, paper.height), paperShort = std::min(paper.width, paper.height);

  std::vector<SheetPlan> sheets;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const int slot = static_cast<int>(i % static_cast<std::size_t>(grid.numberUp));
    if (slot == 0) sheets.push_back(SheetPlan{sheetWidth, sheetHeight, sideways ? 90 : 0, {}});
    const PageSize& page = pages[i];
    if (page.width <= 0 || page.height <= 0) continue;

    // The page's cell: in rows from the top, left to right.
    const int column = slot % columns, row = slot / columns;
    auto cellOf = [&](const Box& area) {
      const double width = area.width() / columns, height = area.height() / rows;
      return Box{area.x0 + column * width, area.y1 - (row + 1) * height, area.x0 + (column + 1) * width,
                 area.y1 - row * height};
    };
    // A page that lies the other way from its cell is turned a quarter
    // clockwise to fit it.
    const Box wholeCell = cellOf({0, 0, sheetWidth, sheetHeight});
    const bool turned = (page.width > page.height) != (wholeCell.width() > wholeCell.height()) &&
                        page.width != page.height;
    const PageSize upright = turned ? PageSize{page.height, page.width} : page;

    // A page no larger than the paper is taken as a whole sheet of paper
    // with the page at its lower left, and the cells share the whole sheet;
    // a larger page, or any page fitted to the paper on request, is scaled
    // by its own size into its share of the printable area.
    const bool uprightIsWide = upright.width > upright.height;
    const bool asPaper = !options.fitToPage && std::max(upright.width, upright.height) <= paperLong + kSlack &&
                         std::min(upright.width, upright.height) <= paperShort + kSlack;
    const PageSize box = !asPaper ? upright
                         : uprightIsWide ? PageSize{paperLong, paperShort}
                                         : PageSize{paperShort, paperLong};
    const Box cell = asPaper ? wholeCell : cellOf(printable);
    const double scale = std::min(cell.width() / box.width, cell.height() / box.height);
    const double x = cell.x0 + (cell.width() - scale * box.width) / 2;
    const double y = cell.y0 + (cell.height() - scale * box.height) / 2;
    Placement placement{static_cast<int>(i), page, {}};
    placement.toSheet = turned ? Affine{0, -scale, scale, 0, x, y + scale * page.width}
                               : Affine{scale, 0, 0, scale, x, y};
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
