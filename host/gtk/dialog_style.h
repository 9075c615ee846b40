// The look of pdehost's print dialog on top of the desktop's GTK theme:
// controls compact enough for the layout's frames, a clear printer name.
#pragma once

namespace pdehost::gtk {

// Adds the dialog's style sheet to the default screen; once is enough.
void installDialogStyle();

}  // namespace pdehost::gtk
