#include "fixed_canvas.h"

namespace pdehost::gtk {
namespace {

struct QvxFixedCanvas {
  GtkFixed parent;
};
struct QvxFixedCanvasClass {
  GtkFixedClass parent_class;
};

G_DEFINE_TYPE(QvxFixedCanvas, qvx_fixed_canvas, GTK_TYPE_FIXED)

void minimumWidth(GtkWidget* widget, gint* minimum, gint* natural) {
  GTK_WIDGET_CLASS(qvx_fixed_canvas_parent_class)->get_preferred_width(widget, minimum, natural);
  *natural = *minimum;
}

void minimumHeight(GtkWidget* widget, gint* minimum, gint* natural) {
  GTK_WIDGET_CLASS(qvx_fixed_canvas_parent_class)->get_preferred_height(widget, minimum, natural);
  *natural = *minimum;
}

void qvx_fixed_canvas_class_init(QvxFixedCanvasClass* klass) {
  GtkWidgetClass* widget = GTK_WIDGET_CLASS(klass);
  widget->get_preferred_width = minimumWidth;
  widget->get_preferred_height = minimumHeight;
}

void qvx_fixed_canvas_init(QvxFixedCanvas*) {}

}  // namespace

GtkWidget* fixedCanvasNew() { return GTK_WIDGET(g_object_new(qvx_fixed_canvas_get_type(), nullptr)); }

}  // namespace pdehost::gtk
