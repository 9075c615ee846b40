#include "control_renderer.h"

#include <algorithm>
#include <cmath>

#include "control_accessibility.h"
#include "frame_placement.h"
#include "reading_focus.h"
#include "view_adapters.h"

namespace pdehost::gtk {
namespace {

using toolkit::ViewKind;

// The band a box's title takes above its content; the layout's frames of a
// box's subviews are in the content below it.
constexpr double kBoxTitleBand = 24;
constexpr const char* kViewKey = "qvx-view";

}  // namespace

ControlRenderer::ControlRenderer(toolkit::Window& window, PersonInput& input) : window_(window), input_(input) {
  window_.setObserver(this);
  syncNow();
}

ControlRenderer::~ControlRenderer() {
  if (window_.observer() == this) window_.setObserver(nullptr);
  if (idleSource_ != 0) g_source_remove(idleSource_);
  // Widgets destroyed with their containers still emit signals (a notebook
  // switches pages as they go); none of them is a person's.
  applying_ = true;
  for (const auto& [key, node] : nodes_) {
    g_signal_handlers_disconnect_by_data(node->outer, this);
    for (GtkWidget* segment : node->segments) g_signal_handlers_disconnect_by_data(segment, this);
  }
  nodes_.clear();
}

GtkWidget* ControlRenderer::rootWidget() const { return root_; }

void ControlRenderer::setNamer(std::function<std::string(const toolkit::View&)> namer) {
  namer_ = std::move(namer);
  scheduleSync();
}

GtkWidget* ControlRenderer::widgetFor(const toolkit::View& view) const {
  auto found = nodes_.find(&view);
  return found == nodes_.end() ? nullptr : found->second->outer;
}

void ControlRenderer::viewDidChange(toolkit::View&) { scheduleSync(); }

void ControlRenderer::scheduleSync() {
  if (idleSource_ != 0) return;
  // Before GTK's own layout and drawing, which run at lower priorities.
  idleSource_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, onIdleSync, this, nullptr);
}

gboolean ControlRenderer::onIdleSync(gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  renderer->idleSource_ = 0;
  renderer->syncNow();
  return G_SOURCE_REMOVE;
}

void ControlRenderer::syncNow() {
  if (idleSource_ != 0) {
    g_source_remove(idleSource_);
    idleSource_ = 0;
  }
  applying_ = true;
  ++generation_;
  const std::shared_ptr<toolkit::View>& root = window_.contentView();
  if (root) {
    Node& node = ensureNode(*root);
    node.generation = generation_;
    apply(node, *root);
    gtk_widget_set_size_request(node.outer, static_cast<int>(root->frame().width),
                                static_cast<int>(root->frame().height));
    syncChildren(node, *root);
    if (root_ != node.outer) {
      root_ = node.outer;
      g_signal_connect(root_, "focus", G_CALLBACK(onFocus), this);
    }
  }
  // Views that left the window take their widgets with them.
  std::vector<const toolkit::View*> gone;
  for (const auto& [key, node] : nodes_) {
    if (node->generation != generation_) gone.push_back(key);
  }
  for (const toolkit::View* key : gone) nodes_.erase(key);
  if (root && namer_) describeForAccessibility(*root);
  applying_ = false;
  if (afterSync_) afterSync_();
}

ControlRenderer::Node& ControlRenderer::ensureNode(toolkit::View& view) {
  auto found = nodes_.find(&view);
  if (found != nodes_.end()) {
    // A view freed and another made at the same address is a new view.
    auto alive = found->second->view.lock();
    if (alive.get() == &view && found->second->kind == view.kind()) return *found->second;
    nodes_.erase(found);
  }
  auto node = std::make_unique<Node>();
  node->view = view.weak_from_this();
  node->kind = view.kind();
  adapterFor(view.kind()).create(view, *node, personSignals());
  GtkWidget* widget = node->outer;
  g_object_ref_sink(widget);
  g_object_set_data(G_OBJECT(widget), kViewKey, &view);
  Node& made = *node;
  nodes_[&view] = std::move(node);
  return made;
}

ControlRenderer::Node* ControlRenderer::nodeOfWidget(GtkWidget* widget) {
  for (GtkWidget* at = widget; at != nullptr; at = gtk_widget_get_parent(at)) {
    auto* view = static_cast<const toolkit::View*>(g_object_get_data(G_OBJECT(at), kViewKey));
    if (view == nullptr) continue;
    auto found = nodes_.find(view);
    if (found == nodes_.end() || found->second->outer != at) return nullptr;
    return found->second.get();
  }
  return nullptr;
}

std::shared_ptr<toolkit::View> ControlRenderer::viewOfWidget(GtkWidget* widget) {
  Node* node = nodeOfWidget(widget);
  return node != nullptr ? node->view.lock() : nullptr;
}

void ControlRenderer::apply(Node& node, toolkit::View& view) {
  GtkWidget* widget = node.outer;
  if (namer_) {
    std::string name = namer_(view);
    if (!name.empty() && name != gtk_widget_get_name(widget)) gtk_widget_set_name(widget, name.c_str());
  }
  if (auto* control = dynamic_cast<toolkit::Control*>(&view)) gtk_widget_set_sensitive(widget, control->isEnabled());

  adapterFor(view.kind()).refresh(view, node, personSignals());
}

PersonSignals ControlRenderer::personSignals() {
  return {G_CALLBACK(onPersonChanged), G_CALLBACK(onSwitchPage), this};
}

void ControlRenderer::describeForAccessibility(toolkit::View& root) {
  std::vector<RenderedOutlet> outlets;
  toolkit::forEachView(root, [&](toolkit::View& view) {
    auto found = nodes_.find(&view);
    if (found == nodes_.end()) return;
    std::string name = namer_(view);
    if (!name.empty()) outlets.push_back({std::move(name), &view, found->second->outer});
  });
  describeControls(outlets, root_);
}

void ControlRenderer::syncChildren(Node& node, toolkit::View& view) {
  if (view.kind() == ViewKind::tabView) {
    syncTabs(node, static_cast<toolkit::TabView&>(view));
    return;
  }
  if (node.children == nullptr) return;
  double contentHeight = view.frame().height;
  if (view.kind() == ViewKind::box) {
    contentHeight = std::max(0.0, contentHeight - kBoxTitleBand);
    gtk_widget_set_size_request(node.children, static_cast<int>(view.frame().width) - 4,
                                static_cast<int>(contentHeight));
  }
  for (const std::shared_ptr<toolkit::View>& child : view.subviews()) {
    placeChild(node, node.children, contentHeight, *child);
  }
}

void ControlRenderer::placeChild(Node&, GtkWidget* container, double containerHeight, toolkit::View& child) {
  Node& node = ensureNode(child);
  node.generation = generation_;
  apply(node, child);
  GtkWidget* widget = node.outer;

  int minHeight = 0;
  const bool leaf = node.children == nullptr && child.kind() != ViewKind::tabView;
  if (leaf) {
    gtk_widget_set_size_request(widget, static_cast<int>(std::lround(child.frame().width)), -1);
    gtk_widget_get_preferred_height(widget, &minHeight, nullptr);
  }
  const Placement at = placeFrame(child.frame(), containerHeight, minHeight);
  gtk_widget_set_size_request(widget, at.width, at.height);
  if (node.placedIn != container || gtk_widget_get_parent(widget) != container) {
    if (GtkWidget* parent = gtk_widget_get_parent(widget)) gtk_container_remove(GTK_CONTAINER(parent), widget);
    gtk_fixed_put(GTK_FIXED(container), widget, at.x, at.y);
    node.placedIn = container;
  } else {
    gtk_fixed_move(GTK_FIXED(container), widget, at.x, at.y);
  }
  gtk_widget_set_visible(widget, !child.isHidden());
  syncChildren(node, child);
}

void ControlRenderer::syncTabs(Node& node, toolkit::TabView& tabs) {
  GtkNotebook* notebook = GTK_NOTEBOOK(node.outer);
  std::vector<const toolkit::View*> pages;
  for (std::int64_t i = 0; i < tabs.numberOfTabViewItems(); ++i) pages.push_back(&tabs.tabViewItemAtIndex(i)->view());
  const bool rebuild = pages != node.pages;
  if (rebuild) {
    while (gtk_notebook_get_n_pages(notebook) > 0) gtk_notebook_remove_page(notebook, -1);
  }
  for (std::int64_t i = 0; i < tabs.numberOfTabViewItems(); ++i) {
    toolkit::TabViewItem* item = tabs.tabViewItemAtIndex(i);
    toolkit::View& page = item->view();
    Node& pageNode = ensureNode(page);
    pageNode.generation = generation_;
    apply(pageNode, page);
    gtk_widget_set_size_request(pageNode.outer, static_cast<int>(page.frame().width),
                                static_cast<int>(page.frame().height));
    if (rebuild || gtk_widget_get_parent(pageNode.outer) != node.outer) {
      if (GtkWidget* parent = gtk_widget_get_parent(pageNode.outer))
        gtk_container_remove(GTK_CONTAINER(parent), pageNode.outer);
      gtk_notebook_append_page(notebook, pageNode.outer, gtk_label_new(item->label().c_str()));
      pageNode.placedIn = node.outer;
    }
    gtk_widget_show(pageNode.outer);
    const char* shown = gtk_notebook_get_tab_label_text(notebook, pageNode.outer);
    if (shown == nullptr || item->label() != shown)
      gtk_notebook_set_tab_label_text(notebook, pageNode.outer, item->label().c_str());
    syncChildren(pageNode, page);
  }
  node.pages = std::move(pages);
  const int selected = static_cast<int>(tabs.indexOfSelectedTabViewItem());
  if (selected >= 0 && gtk_notebook_get_current_page(notebook) != selected)
    gtk_notebook_set_current_page(notebook, selected);
}

void ControlRenderer::onPersonChanged(GtkWidget* source, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(source);
  if (!view) return;
  if (auto personChanged = adapterFor(view->kind()).personChanged) personChanged(*view, source, renderer->input_);
  renderer->scheduleSync();
}

gboolean ControlRenderer::onFocus(GtkWidget* canvas, GtkDirectionType direction, gpointer self) {
  // Keys come before the sync a change scheduled: a control that Space just
  // enabled is shown enabled before Tab looks for the next one.
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->syncPending()) renderer->syncNow();
  return moveFocusInReadingOrder(canvas, direction);
}

void ControlRenderer::onSwitchPage(GtkNotebook* notebook, GtkWidget*, guint index, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  // The notebook switches in its own handler, which runs after this one:
  // stopping here leaves the decision to the tab view's delegate.
  g_signal_stop_emission_by_name(notebook, "switch-page");
  auto view = renderer->viewOfWidget(GTK_WIDGET(notebook));
  if (!view || view->kind() != ViewKind::tabView) return;
  auto& tabs = static_cast<toolkit::TabView&>(*view);
  if (toolkit::TabViewItem* item = tabs.tabViewItemAtIndex(static_cast<std::int64_t>(index)))
    renderer->input_.personChoseTab(tabs, item->identifier());
  renderer->scheduleSync();
}

}  // namespace pdehost::gtk
