#include "control_renderer.h"

#include <algorithm>
#include <cmath>

#include "control_accessibility.h"
#include "fixed_canvas.h"
#include "frame_placement.h"
#include "reading_focus.h"
#include "spoken_scale.h"
#include "toolkit/person_reach.h"

namespace pdehost::gtk {
namespace {

using toolkit::ViewKind;

// The band a box's title takes above its content; the layout's frames of a
// box's subviews are in the content below it.
constexpr double kBoxTitleBand = 24;
constexpr const char* kViewKey = "qvx-view";

GtkWidget* newFixed() { return fixedCanvasNew(); }

}  // namespace

struct ControlRenderer::Node {
  std::weak_ptr<toolkit::View> view;
  ViewKind kind = ViewKind::view;
  GtkWidget* outer = nullptr;      // one reference held by the node
  GtkWidget* children = nullptr;   // the GtkFixed holding the subviews' widgets
  GtkWidget* image = nullptr;      // a toggle button's icon
  GtkListStore* store = nullptr;   // a popup's items: title, enabled
  std::vector<std::pair<std::string, bool>> shownItems;
  std::vector<GtkWidget*> segments;
  std::vector<const toolkit::View*> pages;  // a tab view's item views, in page order
  GtkWidget* placedIn = nullptr;
  unsigned generation = 0;

  ~Node() {
    if (outer != nullptr) {
      if (GtkWidget* parent = gtk_widget_get_parent(outer)) gtk_container_remove(GTK_CONTAINER(parent), outer);
      g_object_unref(outer);
    }
    if (store != nullptr) g_object_unref(store);
  }
};

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
  GtkWidget* widget = nullptr;
  switch (view.kind()) {
    case ViewKind::view:
      widget = newFixed();
      node->children = widget;
      break;
    case ViewKind::box: {
      widget = gtk_frame_new(nullptr);
      node->children = newFixed();
      gtk_container_add(GTK_CONTAINER(widget), node->children);
      gtk_widget_show(node->children);
      break;
    }
    case ViewKind::button: {
      const auto& button = static_cast<const toolkit::Button&>(view);
      switch (button.buttonType()) {
        case toolkit::ButtonType::checkbox:
          widget = gtk_check_button_new_with_label("");
          g_signal_connect(widget, "toggled", G_CALLBACK(onButtonToggled), this);
          break;
        case toolkit::ButtonType::toggle:
          widget = gtk_toggle_button_new();
          node->image = gtk_image_new();
          gtk_container_add(GTK_CONTAINER(widget), node->image);
          gtk_widget_show(node->image);
          gtk_button_set_relief(GTK_BUTTON(widget), GTK_RELIEF_NONE);
          gtk_style_context_add_class(gtk_widget_get_style_context(widget), "qvx-icon-toggle");
          g_signal_connect(widget, "toggled", G_CALLBACK(onButtonToggled), this);
          break;
        case toolkit::ButtonType::push:
          widget = gtk_button_new_with_label("");
          g_signal_connect(widget, "clicked", G_CALLBACK(onPushClicked), this);
          break;
      }
      break;
    }
    case ViewKind::popUpButton: {
      node->store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_BOOLEAN);
      widget = gtk_combo_box_new_with_model(GTK_TREE_MODEL(node->store));
      GtkCellRenderer* text = gtk_cell_renderer_text_new();
      g_object_set(text, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
      gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(widget), text, TRUE);
      // A disabled item is drawn dimmed and cannot be picked from the menu.
      gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(widget), text, "text", 0, "sensitive", 1, nullptr);
      g_signal_connect(widget, "changed", G_CALLBACK(onComboChanged), this);
      break;
    }
    case ViewKind::slider:
      widget = spokenScaleNew();
      gtk_scale_set_draw_value(GTK_SCALE(widget), FALSE);
      g_signal_connect(widget, "value-changed", G_CALLBACK(onScaleChanged), this);
      break;
    case ViewKind::textField:
      widget = gtk_label_new("");
      gtk_label_set_xalign(GTK_LABEL(widget), 0);
      gtk_label_set_yalign(GTK_LABEL(widget), 0.5);
      break;
    case ViewKind::tabView:
      widget = gtk_notebook_new();
      gtk_notebook_set_scrollable(GTK_NOTEBOOK(widget), FALSE);
      g_signal_connect(widget, "switch-page", G_CALLBACK(onSwitchPage), this);
      break;
    case ViewKind::segmentedControl:
      widget = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
      gtk_box_set_homogeneous(GTK_BOX(widget), TRUE);
      gtk_style_context_add_class(gtk_widget_get_style_context(widget), GTK_STYLE_CLASS_LINKED);
      break;
    case ViewKind::imageView:
      widget = gtk_image_new();
      break;
  }
  g_object_ref_sink(widget);
  g_object_set_data(G_OBJECT(widget), kViewKey, &view);
  node->outer = widget;
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

  switch (view.kind()) {
    case ViewKind::view:
      break;
    case ViewKind::box: {
      const auto& box = static_cast<const toolkit::Box&>(view);
      const char* shown = gtk_frame_get_label(GTK_FRAME(widget));
      if (box.title().empty() ? shown != nullptr : (shown == nullptr || box.title() != shown))
        gtk_frame_set_label(GTK_FRAME(widget), box.title().empty() ? nullptr : box.title().c_str());
      break;
    }
    case ViewKind::button: {
      const auto& button = static_cast<const toolkit::Button&>(view);
      const bool on = button.state() != toolkit::kOffState;
      if (GTK_IS_CHECK_BUTTON(widget) || !GTK_IS_TOGGLE_BUTTON(widget)) {
        if (button.title() != gtk_button_get_label(GTK_BUTTON(widget)))
          gtk_button_set_label(GTK_BUTTON(widget), button.title().c_str());
      }
      if (node.image != nullptr) {
        // The image while off, the alternate image while on (a padlock open
        // and closed); a button with neither shows its title.
        const std::optional<toolkit::Image>& icon = on && button.alternateImage() ? button.alternateImage()
                                                                                  : button.image();
        if (icon) {
          gtk_image_set_from_icon_name(GTK_IMAGE(node.image), icon->iconName.c_str(), GTK_ICON_SIZE_BUTTON);
          gtk_image_set_pixel_size(GTK_IMAGE(node.image), static_cast<int>(icon->size.width));
        } else {
          gtk_image_clear(GTK_IMAGE(node.image));
        }
        gtk_widget_set_tooltip_text(widget, button.title().empty() ? nullptr : button.title().c_str());
      }
      if (GTK_IS_TOGGLE_BUTTON(widget) && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget)) != on)
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(widget), on);
      break;
    }
    case ViewKind::popUpButton: {
      const auto& popup = static_cast<const toolkit::PopUpButton&>(view);
      std::vector<std::pair<std::string, bool>> items;
      for (std::int64_t i = 0; i < popup.numberOfItems(); ++i)
        items.emplace_back(popup.itemAtIndex(i)->title, popup.isItemEnabled(i));
      if (items != node.shownItems) {
        // Titles kept where they match, so an open menu is not rebuilt
        // when only an enabled flag changes.
        const auto rows = static_cast<std::size_t>(
            gtk_tree_model_iter_n_children(GTK_TREE_MODEL(node.store), nullptr));
        if (rows != items.size()) {
          gtk_list_store_clear(node.store);
          for (const auto& [title, enabled] : items)
            gtk_list_store_insert_with_values(node.store, nullptr, -1, 0, title.c_str(), 1, enabled, -1);
        } else {
          GtkTreeIter row;
          gboolean more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(node.store), &row);
          for (const auto& [title, enabled] : items) {
            if (!more) break;
            gtk_list_store_set(node.store, &row, 0, title.c_str(), 1, enabled, -1);
            more = gtk_tree_model_iter_next(GTK_TREE_MODEL(node.store), &row);
          }
        }
        node.shownItems = std::move(items);
      }
      const int selected = static_cast<int>(popup.indexOfSelectedItem());
      if (gtk_combo_box_get_active(GTK_COMBO_BOX(widget)) != selected)
        gtk_combo_box_set_active(GTK_COMBO_BOX(widget), selected);
      break;
    }
    case ViewKind::slider: {
      const auto& slider = static_cast<const toolkit::Slider&>(view);
      GtkAdjustment* range = gtk_range_get_adjustment(GTK_RANGE(widget));
      const double low = slider.minValue();
      // GTK needs a range of some width; a one-value slider is drawn at its start.
      const double high = slider.maxValue() > low ? slider.maxValue() : low + 1;
      if (gtk_adjustment_get_lower(range) != low || gtk_adjustment_get_upper(range) != high) {
        gtk_range_set_range(GTK_RANGE(widget), low, high);
        gtk_scale_clear_marks(GTK_SCALE(widget));
        const toolkit::TickMarks marks{low, high, slider.numberOfTickMarks()};
        for (std::int64_t i = 0; marks.count > 1 && i < marks.count; ++i)
          gtk_scale_add_mark(GTK_SCALE(widget), marks.at(i), GTK_POS_BOTTOM, nullptr);
        const double step = toolkit::stopsOnlyAtTickMarks(slider) ? marks.step() : 1;
        gtk_range_set_increments(GTK_RANGE(widget), step, step);
        gtk_range_set_round_digits(GTK_RANGE(widget), 0);
      }
      spokenScaleSetTickMarks(widget, slider.numberOfTickMarks(), toolkit::stopsOnlyAtTickMarks(slider));
      if (gtk_range_get_value(GTK_RANGE(widget)) != slider.doubleValue())
        gtk_range_set_value(GTK_RANGE(widget), slider.doubleValue());
      break;
    }
    case ViewKind::textField: {
      const auto& field = static_cast<const toolkit::TextField&>(view);
      if (field.stringValue() != gtk_label_get_text(GTK_LABEL(widget)))
        gtk_label_set_text(GTK_LABEL(widget), field.stringValue().c_str());
      // The panel dims a title by turning its text grey.
      PangoAttrList* attributes = pango_attr_list_new();
      const toolkit::Color& color = field.textColor();
      if (!(color == toolkit::Color::black()))
        pango_attr_list_insert(attributes, pango_attr_foreground_new(static_cast<guint16>(color.red * 257),
                                                                     static_cast<guint16>(color.green * 257),
                                                                     static_cast<guint16>(color.blue * 257)));
      gtk_label_set_attributes(GTK_LABEL(widget), attributes);
      pango_attr_list_unref(attributes);
      gtk_label_set_selectable(GTK_LABEL(widget), field.isSelectable());
      break;
    }
    case ViewKind::segmentedControl: {
      const auto& control = static_cast<const toolkit::SegmentedControl&>(view);
      const auto count = static_cast<std::size_t>(control.segmentCount());
      if (node.segments.size() != count) {
        for (GtkWidget* old : node.segments) gtk_container_remove(GTK_CONTAINER(widget), old);
        node.segments.clear();
        for (std::size_t i = 0; i < count; ++i) {
          GtkWidget* segment = gtk_toggle_button_new_with_label("");
          g_object_set_data(G_OBJECT(segment), "qvx-segment", GSIZE_TO_POINTER(i));
          g_signal_connect(segment, "clicked", G_CALLBACK(onSegmentClicked), this);
          gtk_box_pack_start(GTK_BOX(widget), segment, TRUE, TRUE, 0);
          gtk_widget_show(segment);
          node.segments.push_back(segment);
        }
      }
      for (std::size_t i = 0; i < count; ++i) {
        GtkWidget* segment = node.segments[i];
        const std::string& label = control.segments()[i].label;
        if (label != gtk_button_get_label(GTK_BUTTON(segment)))
          gtk_button_set_label(GTK_BUTTON(segment), label.c_str());
        const auto index = static_cast<std::int64_t>(i);
        gtk_widget_set_sensitive(segment, control.isEnabledForSegment(index));
        const bool selected = control.selectedSegment() == index;
        if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(segment)) != selected)
          gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(segment), selected);
      }
      break;
    }
    case ViewKind::imageView: {
      const auto& imageView = static_cast<const toolkit::ImageView&>(view);
      if (imageView.image()) {
        gtk_image_set_from_icon_name(GTK_IMAGE(widget), imageView.image()->iconName.c_str(), GTK_ICON_SIZE_DIALOG);
        gtk_image_set_pixel_size(GTK_IMAGE(widget), static_cast<int>(imageView.image()->size.width));
      } else {
        gtk_image_clear(GTK_IMAGE(widget));
      }
      break;
    }
    case ViewKind::tabView:
      break;  // pages and selection in syncTabs
  }
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

void ControlRenderer::onComboChanged(GtkComboBox* combo, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(GTK_WIDGET(combo));
  if (!view || view->kind() != ViewKind::popUpButton) return;
  const int index = gtk_combo_box_get_active(combo);
  if (index >= 0) renderer->input_.personSelectedItem(static_cast<toolkit::PopUpButton&>(*view), index);
  renderer->scheduleSync();
}

void ControlRenderer::onButtonToggled(GtkToggleButton* button, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(GTK_WIDGET(button));
  if (!view || view->kind() != ViewKind::button) return;
  renderer->input_.personClicked(static_cast<toolkit::Button&>(*view));
  renderer->scheduleSync();
}

void ControlRenderer::onPushClicked(GtkButton* button, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(GTK_WIDGET(button));
  if (!view || view->kind() != ViewKind::button) return;
  renderer->input_.personClicked(static_cast<toolkit::Button&>(*view));
  renderer->scheduleSync();
}

void ControlRenderer::onScaleChanged(GtkRange* range, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(GTK_WIDGET(range));
  if (!view || view->kind() != ViewKind::slider) return;
  auto& slider = static_cast<toolkit::Slider&>(*view);
  const std::int64_t value = toolkit::valueAtPosition(slider, gtk_range_get_value(range));
  // A drag reports every pixel; the panel hears of each new value once.
  if (value != slider.integerValue()) renderer->input_.personSlid(slider, value);
  renderer->scheduleSync();
}

void ControlRenderer::onSegmentClicked(GtkButton* button, gpointer self) {
  auto* renderer = static_cast<ControlRenderer*>(self);
  if (renderer->applying_) return;
  auto view = renderer->viewOfWidget(GTK_WIDGET(button));
  if (!view || view->kind() != ViewKind::segmentedControl) return;
  const auto index = static_cast<std::int64_t>(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(button), "qvx-segment")));
  renderer->input_.personSelectedSegment(static_cast<toolkit::SegmentedControl&>(*view), index);
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
