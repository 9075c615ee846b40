#include "reading_order.h"

#include <algorithm>
#include <numeric>

namespace pdehost::gtk {
namespace {

bool middleWithin(const Extent& a, const Extent& b) {
  const double middle = a.y + a.height / 2;
  return middle >= b.y && middle <= b.y + b.height;
}

}  // namespace

std::vector<std::size_t> readingOrder(const std::vector<Extent>& extents) {
  std::vector<std::size_t> byTop(extents.size());
  std::iota(byTop.begin(), byTop.end(), 0);
  std::stable_sort(byTop.begin(), byTop.end(), [&](std::size_t a, std::size_t b) {
    return extents[a].y != extents[b].y ? extents[a].y < extents[b].y : extents[a].x < extents[b].x;
  });
  std::vector<std::size_t> order;
  std::size_t rowStart = 0;
  for (std::size_t i : byTop) {
    const bool newRow = order.size() == rowStart || !middleWithin(extents[i], extents[order[rowStart]]) ||
                        !middleWithin(extents[order[rowStart]], extents[i]);
    if (newRow) {
      std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(rowStart), order.end(),
                       [&](std::size_t a, std::size_t b) { return extents[a].x < extents[b].x; });
      rowStart = order.size();
    }
    order.push_back(i);
  }
  std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(rowStart), order.end(),
                   [&](std::size_t a, std::size_t b) { return extents[a].x < extents[b].x; });
  return order;
}

}  // namespace pdehost::gtk
