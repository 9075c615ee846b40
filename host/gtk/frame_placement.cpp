#include "frame_placement.h"

#include <algorithm>
#include <cmath>

namespace pdehost::gtk {

Placement placeFrame(const toolkit::Rect& frame, double containerHeight, int widgetMinHeight) {
  Placement at;
  at.x = static_cast<int>(std::lround(frame.x));
  at.width = std::max(0, static_cast<int>(std::lround(frame.width)));
  const int frameHeight = std::max(0, static_cast<int>(std::lround(frame.height)));
  const int top = static_cast<int>(std::lround(containerHeight - frame.y - frame.height));
  at.height = std::max(frameHeight, widgetMinHeight);
  // Centred on the frame; an odd surplus goes below.
  at.y = top - (at.height - frameHeight) / 2;
  return at;
}

}  // namespace pdehost::gtk
