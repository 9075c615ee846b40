#include "spoken_scale.h"

#include <gtk/gtk-a11y.h>

#include "accessible_text.h"

namespace pdehost::gtk {
namespace {

struct QvxSpokenScale {
  GtkScale parent;
  std::int64_t tickMarks;
  gboolean tickMarkValuesOnly;
};
struct QvxSpokenScaleClass {
  GtkScaleClass parent_class;
};
struct QvxSpokenScaleAccessible {
  GtkScaleAccessible parent;
};
struct QvxSpokenScaleAccessibleClass {
  GtkScaleAccessibleClass parent_class;
};

void valueAndText(AtkValue* value, gdouble* number, gchar** text);
// The interface table starts as a copy of the scale accessible's own; only
// the value-and-text call changes.
void valueInit(AtkValueIface* iface) { iface->get_value_and_text = valueAndText; }

G_DEFINE_TYPE_WITH_CODE(QvxSpokenScaleAccessible, qvx_spoken_scale_accessible, GTK_TYPE_SCALE_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_VALUE, valueInit))
G_DEFINE_TYPE(QvxSpokenScale, qvx_spoken_scale, GTK_TYPE_SCALE)

void valueAndText(AtkValue* value, gdouble* number, gchar** text) {
  GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(value));
  if (widget == nullptr) {
    if (number != nullptr) *number = 0;
    if (text != nullptr) *text = nullptr;
    return;
  }
  GtkAdjustment* range = gtk_range_get_adjustment(GTK_RANGE(widget));
  const double now = gtk_adjustment_get_value(range);
  if (number != nullptr) *number = now;
  if (text != nullptr) {
    const auto* scale = reinterpret_cast<const QvxSpokenScale*>(widget);
    *text = g_strdup(sliderValueText(gtk_adjustment_get_lower(range), gtk_adjustment_get_upper(range), now,
                                     scale->tickMarks, scale->tickMarkValuesOnly)
                         .c_str());
  }
}

void qvx_spoken_scale_accessible_class_init(QvxSpokenScaleAccessibleClass*) {}
void qvx_spoken_scale_accessible_init(QvxSpokenScaleAccessible*) {}

void qvx_spoken_scale_class_init(QvxSpokenScaleClass* klass) {
  gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), qvx_spoken_scale_accessible_get_type());
}
void qvx_spoken_scale_init(QvxSpokenScale* scale) {
  scale->tickMarks = 0;
  scale->tickMarkValuesOnly = FALSE;
}

}  // namespace

GtkWidget* spokenScaleNew() {
  return GTK_WIDGET(g_object_new(qvx_spoken_scale_get_type(), "orientation", GTK_ORIENTATION_HORIZONTAL, nullptr));
}

void spokenScaleSetTickMarks(GtkWidget* scale, std::int64_t count, bool valuesOnly) {
  if (!G_TYPE_CHECK_INSTANCE_TYPE(scale, qvx_spoken_scale_get_type())) return;
  auto* spoken = reinterpret_cast<QvxSpokenScale*>(scale);
  spoken->tickMarks = count;
  spoken->tickMarkValuesOnly = valuesOnly ? TRUE : FALSE;
}

}  // namespace pdehost::gtk
