#include "dialog_style.h"

#include <gtk/gtk.h>

namespace pdehost::gtk {
namespace {

// The layout's frames are those of a compact desktop dialog: popups 26
// points high, checkboxes 18, rows 35 apart.
constexpr const char* kStyleSheet = R"css(
.qvx-printer { font-weight: bold; }
.qvx-pane > label { font-weight: bold; }
.qvx-pane combobox button { padding-top: 2px; padding-bottom: 2px; min-height: 20px; }
.qvx-pane checkbutton { padding-top: 0; padding-bottom: 0; min-height: 18px; }
.qvx-pane notebook > header tab { padding: 7px 14px; min-height: 0; }
.qvx-pane .qvx-icon-toggle { padding: 2px; min-height: 0; min-width: 0; }
.qvx-pane scale { padding-top: 4px; padding-bottom: 4px; }
.qvx-pane scale trough { outline-offset: 4px; outline-color: alpha(currentColor, 0.6); }
.qvx-pane .linked > button { padding: 2px 4px; min-height: 0; }
)css";

}  // namespace

void installDialogStyle() {
  static bool installed = false;
  if (installed) return;
  GdkScreen* screen = gdk_screen_get_default();
  if (screen == nullptr) return;
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kStyleSheet, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
  installed = true;
}

}  // namespace pdehost::gtk
