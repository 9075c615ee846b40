// A GtkFixed that asks for no more room than its children's minimum sizes.
// The layout fixes every control's frame; a plain GtkFixed would still report
// the natural width of each popup's longest item and widen the dialog for
// space the layout never gives those controls.
#pragma once

#include <gtk/gtk.h>

namespace pdehost::gtk {

GtkWidget* fixedCanvasNew();

}  // namespace pdehost::gtk
