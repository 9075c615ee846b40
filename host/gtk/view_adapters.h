// One adapter per kind of view: how the renderer makes a view's widgets,
// brings them in line with the model, and hands on what a person did to them.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "person_input.h"
#include "toolkit/view.h"

namespace pdehost::gtk {

// The widgets that show one view.
struct RenderedNode {
  RenderedNode() = default;
  ~RenderedNode();
  RenderedNode(const RenderedNode&) = delete;
  RenderedNode& operator=(const RenderedNode&) = delete;

  std::weak_ptr<toolkit::View> view;
  toolkit::ViewKind kind = toolkit::ViewKind::view;
  GtkWidget* outer = nullptr;      // one reference held by the node
  GtkWidget* children = nullptr;   // the GtkFixed holding the subviews' widgets
  GtkWidget* image = nullptr;      // a toggle button's icon
  GtkListStore* store = nullptr;   // a popup's items: title, enabled
  std::vector<std::pair<std::string, bool>> shownItems;
  std::vector<GtkWidget*> segments;
  std::vector<const toolkit::View*> pages;  // a tab view's item views, in page order
  GtkWidget* placedIn = nullptr;
  unsigned generation = 0;
};

// The renderer's handlers of a person's doings, with the renderer as their data.
struct PersonSignals {
  GCallback changed;       // void (GtkWidget* source, gpointer data)
  GCallback switchedPage;  // a notebook's "switch-page"
  gpointer data;

  void listen(GtkWidget* widget, const char* signal) const { g_signal_connect(widget, signal, changed, data); }
};

struct ViewAdapter {
  // Makes the node's outer widget and those inside it.
  void (*create)(const toolkit::View& view, RenderedNode& node, const PersonSignals& signals);
  // Brings the widgets in line with the view, setting only what differs.
  void (*refresh)(const toolkit::View& view, RenderedNode& node, const PersonSignals& signals);
  // Tells `input` what a person did to `source` (the outer widget or one
  // inside it); null for a view whose widgets send no `changed`.
  void (*personChanged)(toolkit::View& view, GtkWidget* source, PersonInput& input);
};

const ViewAdapter& adapterFor(toolkit::ViewKind kind);

}  // namespace pdehost::gtk
