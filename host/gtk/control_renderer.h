// Renders the control model shown in a toolkit::Window with GTK widgets and
// keeps the two in step: the renderer observes the window, so every change
// the panel makes is shown, and hands what a person does with a widget to a
// PersonInput. The model stays the one truth: after a person's change the
// widgets are brought back in line with it, so a refused change does not
// linger on screen.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "person_input.h"
#include "toolkit/controls.h"

namespace pdehost::gtk {

struct RenderedNode;
struct PersonSignals;

class ControlRenderer : public toolkit::ViewObserver {
 public:
  // `window` must have a content view; both must outlive the renderer.
  ControlRenderer(toolkit::Window& window, PersonInput& input);
  ~ControlRenderer() override;
  ControlRenderer(const ControlRenderer&) = delete;
  ControlRenderer& operator=(const ControlRenderer&) = delete;

  // The widget of the window's content view, to pack into a dialog.
  GtkWidget* rootWidget() const;

  // Names each control's widget (gtk_widget_set_name), so tests and
  // accessibility tools find it by its outlet name.
  void setNamer(std::function<std::string(const toolkit::View&)> namer);

  // Changes are gathered and shown together before the next frame is drawn.
  void viewDidChange(toolkit::View& view) override;
  bool syncPending() const { return idleSource_ != 0; }
  // Brings every widget in line with the model now.
  void syncNow();

  // The widget showing `view`, or null.
  GtkWidget* widgetFor(const toolkit::View& view) const;
  // Called after every sync (the dialog refreshes its summary there).
  void setAfterSync(std::function<void()> afterSync) { afterSync_ = std::move(afterSync); }

 private:
  using Node = RenderedNode;

  Node& ensureNode(toolkit::View& view);
  void dropNode(toolkit::View* key);
  void apply(Node& node, toolkit::View& view);
  void syncChildren(Node& node, toolkit::View& view);
  void placeChild(Node& parent, GtkWidget* container, double containerHeight, toolkit::View& child);
  void syncTabs(Node& node, toolkit::TabView& tabs);
  // Names, titles and relations for assistive technology (needs the namer).
  void describeForAccessibility(toolkit::View& root);
  void scheduleSync();
  Node* nodeOfWidget(GtkWidget* widget);
  std::shared_ptr<toolkit::View> viewOfWidget(GtkWidget* widget);
  PersonSignals personSignals();

  static gboolean onIdleSync(gpointer self);
  // Every widget's signal of a person's change, handed on by its view's adapter.
  static void onPersonChanged(GtkWidget* source, gpointer self);
  static void onSwitchPage(GtkNotebook* notebook, GtkWidget* page, guint index, gpointer self);
  static gboolean onFocus(GtkWidget* canvas, GtkDirectionType direction, gpointer self);

  toolkit::Window& window_;
  PersonInput& input_;
  std::map<const toolkit::View*, std::unique_ptr<Node>> nodes_;
  std::function<std::string(const toolkit::View&)> namer_;
  std::function<void()> afterSync_;
  GtkWidget* root_ = nullptr;
  guint idleSource_ = 0;
  unsigned generation_ = 0;
  bool applying_ = false;  // widget signals during a sync are ours, not a person's
};

}  // namespace pdehost::gtk
