// Tells assistive technology what the panel's widgets are, after every sync
// of the renderer: a title names its control (the label's mnemonic widget,
// plus labelled-by relations where one title names two controls, as the
// neutral-gray popup and slider share theirs) and reaches it with Alt and a
// letter; a combo box's focus button, which is what a screen reader meets,
// carries the same name and the item chosen; a slider carries its two ends
// as its description and reads out its value in words; the sample image and
// its selector, which have no title, get a name. Only what changed is touched.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "toolkit/view.h"

namespace pdehost::gtk {

struct RenderedOutlet {
  std::string name;
  const toolkit::View* view;
  GtkWidget* widget;
};

// `outlets` in layout order; `panelRoot` is the widget of the panel's view
// (mnemonics elsewhere in its window are left alone and not reused).
void describeControls(const std::vector<RenderedOutlet>& outlets, GtkWidget* panelRoot);

}  // namespace pdehost::gtk
