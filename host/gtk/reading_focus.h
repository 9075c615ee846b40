// Tab and Shift+Tab through the panel's widgets in reading order (see
// readingOrder). The layout places controls at fixed points, and a control
// added outside the tab view (the smoothing checkbox) still sits in the
// row it is drawn in. A group box is read as one, in the place of its top
// edge; a notebook's tabs are read where its header is, and its current
// page's controls among the rest.
#pragma once

#include <gtk/gtk.h>

#include <vector>

namespace pdehost::gtk {

// The handler of `canvas`'s "focus" signal: moves Tab and Shift+Tab in
// reading order and returns TRUE, or lets the focus leave `canvas` for the
// dialog's next control after the last one; other directions are GTK's.
gboolean moveFocusInReadingOrder(GtkWidget* canvas, GtkDirectionType direction);

// The widgets of `canvas` that Tab visits now, in order.
std::vector<GtkWidget*> readingFocusChain(GtkWidget* canvas);

}  // namespace pdehost::gtk
