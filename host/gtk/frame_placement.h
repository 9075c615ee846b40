// Where a control of the model goes in a GTK container. Frames in the model
// have their origin at the superview's lower-left corner with y growing
// upwards; GTK places children from the top-left corner, y growing down.
#pragma once

#include "toolkit/geometry.h"

namespace pdehost::gtk {

struct Placement {
  int x = 0;
  int y = 0;  // from the container's top edge
  int width = 0;
  int height = 0;
};

// `frame` inside a container `containerHeight` points high. A widget whose
// own minimum height (`widgetMinHeight`) exceeds the frame keeps its minimum
// and is centred on the frame, so a label and a taller popup that share a
// centre line in the layout stay on it.
Placement placeFrame(const toolkit::Rect& frame, double containerHeight, int widgetMinHeight);

}  // namespace pdehost::gtk
