#include "reading_focus.h"

#include "reading_order.h"

namespace pdehost::gtk {
namespace {

struct Entry {
  Extent extent;
  std::vector<GtkWidget*> widgets;
};

Extent extentIn(GtkWidget* widget, GtkWidget* canvas) {
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(widget, canvas, 0, 0, &x, &y);
  GtkAllocation allocation;
  gtk_widget_get_allocation(widget, &allocation);
  return {static_cast<double>(x), static_cast<double>(y), static_cast<double>(allocation.width),
          static_cast<double>(allocation.height)};
}

// A combo box takes the focus through its own button.
bool takesFocus(GtkWidget* widget) {
  return gtk_widget_is_sensitive(widget) && (GTK_IS_COMBO_BOX(widget) || gtk_widget_get_can_focus(widget));
}

std::vector<GtkWidget*> inOrder(const std::vector<Entry>& entries) {
  std::vector<Extent> extents;
  for (const Entry& entry : entries) extents.push_back(entry.extent);
  std::vector<GtkWidget*> widgets;
  for (std::size_t i : readingOrder(extents))
    widgets.insert(widgets.end(), entries[i].widgets.begin(), entries[i].widgets.end());
  return widgets;
}

void collect(GtkWidget* widget, GtkWidget* canvas, std::vector<Entry>& into);

void collectChildren(GtkWidget* container, GtkWidget* canvas, std::vector<Entry>& into) {
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  for (GList* at = children; at != nullptr; at = at->next) collect(GTK_WIDGET(at->data), canvas, into);
  g_list_free(children);
}

void collect(GtkWidget* widget, GtkWidget* canvas, std::vector<Entry>& into) {
  if (!gtk_widget_is_drawable(widget)) return;
  if (GTK_IS_NOTEBOOK(widget)) {
    GtkNotebook* notebook = GTK_NOTEBOOK(widget);
    const int current = gtk_notebook_get_current_page(notebook);
    GtkWidget* page = current >= 0 ? gtk_notebook_get_nth_page(notebook, current) : nullptr;
    // A page being removed is still current for a moment, but has no tab.
    GtkWidget* tab = page != nullptr && gtk_notebook_page_num(notebook, page) >= 0
                         ? gtk_notebook_get_tab_label(notebook, page)
                         : nullptr;
    if (takesFocus(widget)) into.push_back({extentIn(tab != nullptr ? tab : widget, canvas), {widget}});
    if (page != nullptr) collect(page, canvas, into);
    return;
  }
  if (takesFocus(widget) && !GTK_IS_FIXED(widget)) {
    into.push_back({extentIn(widget, canvas), {widget}});
    return;
  }
  if (!GTK_IS_CONTAINER(widget)) return;
  if (GTK_IS_FIXED(widget)) {
    // A plain view: its controls take their rows among their neighbours'.
    collectChildren(widget, canvas, into);
    return;
  }
  // A group box or a row of segments: read as one.
  std::vector<Entry> inside;
  collectChildren(widget, canvas, inside);
  Entry group{extentIn(widget, canvas), inOrder(inside)};
  if (!group.widgets.empty()) into.push_back(std::move(group));
}

}  // namespace

gboolean moveFocusInReadingOrder(GtkWidget* canvas, GtkDirectionType direction) {
  const bool forward = direction == GTK_DIR_TAB_FORWARD;
  if (!forward && direction != GTK_DIR_TAB_BACKWARD) return FALSE;  // arrows as GTK moves them
  const std::vector<GtkWidget*> chain = readingFocusChain(canvas);
  GtkWidget* toplevel = gtk_widget_get_toplevel(canvas);
  GtkWidget* focus = GTK_IS_WINDOW(toplevel) ? gtk_window_get_focus(GTK_WINDOW(toplevel)) : nullptr;
  // The innermost entry holding the focus (a combo box's button, a page's
  // control inside its notebook).
  std::ptrdiff_t at = -1;
  for (std::size_t i = 0; focus != nullptr && i < chain.size(); ++i) {
    const bool holds = chain[i] == focus || gtk_widget_is_ancestor(focus, chain[i]);
    if (holds && (at < 0 || gtk_widget_is_ancestor(chain[i], chain[static_cast<std::size_t>(at)])))
      at = static_cast<std::ptrdiff_t>(i);
  }
  const auto count = static_cast<std::ptrdiff_t>(chain.size());
  const std::ptrdiff_t next = at < 0 ? (forward ? 0 : count - 1) : at + (forward ? 1 : -1);
  if (next < 0 || next >= count) {
    // Past either end: the dialog moves on, not GTK's own order in here.
    g_signal_stop_emission_by_name(canvas, "focus");
    return FALSE;
  }
  gtk_widget_grab_focus(chain[static_cast<std::size_t>(next)]);
  return TRUE;
}

std::vector<GtkWidget*> readingFocusChain(GtkWidget* canvas) {
  std::vector<Entry> entries;
  if (GTK_IS_CONTAINER(canvas)) collectChildren(canvas, canvas, entries);
  return inOrder(entries);
}

}  // namespace pdehost::gtk
