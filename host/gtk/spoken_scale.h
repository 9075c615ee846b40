// A horizontal GtkScale whose accessible value carries words as well as the
// number ("2 of 4"), so that a screen reader says where the slider stands
// rather than a bare position. The words are made from the scale's value at
// the moment they are asked for.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>

namespace pdehost::gtk {

GtkWidget* spokenScaleNew();
// The tick marks the words count (see sliderValueText).
void spokenScaleSetTickMarks(GtkWidget* scale, std::int64_t count, bool valuesOnly);

}  // namespace pdehost::gtk
