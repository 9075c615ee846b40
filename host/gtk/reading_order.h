// The order in which a person reads a dialog's controls: row by row, top to
// bottom, and left to right within a row. Plain geometry, no GTK.
#pragma once

#include <cstddef>
#include <vector>

namespace pdehost::gtk {

// A control's place on screen; y grows downwards.
struct Extent {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// Indices into `extents` in reading order. Two controls share a row when
// each one's vertical middle lies within the other's height, so a tall group
// beside a column of short rows is a row of its own, placed by its top edge.
std::vector<std::size_t> readingOrder(const std::vector<Extent>& extents);

}  // namespace pdehost::gtk
