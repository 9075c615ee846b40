#include "view_adapters.h"

#include "fixed_canvas.h"
#include "spoken_scale.h"
#include "toolkit/controls.h"
#include "toolkit/person_reach.h"

namespace pdehost::gtk {
namespace {

using toolkit::ViewKind;

constexpr const char* kSegmentKey = "qvx-segment";

void nothing(const toolkit::View&, RenderedNode&, const PersonSignals&) {}

// A plain view and a box: a canvas that holds the subviews' widgets.
void createView(const toolkit::View&, RenderedNode& node, const PersonSignals&) {
  node.outer = fixedCanvasNew();
  node.children = node.outer;
}

void createBox(const toolkit::View&, RenderedNode& node, const PersonSignals&) {
  node.outer = gtk_frame_new(nullptr);
  node.children = fixedCanvasNew();
  gtk_container_add(GTK_CONTAINER(node.outer), node.children);
  gtk_widget_show(node.children);
}

void refreshBox(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& box = static_cast<const toolkit::Box&>(view);
  const char* shown = gtk_frame_get_label(GTK_FRAME(node.outer));
  if (box.title().empty() ? shown != nullptr : (shown == nullptr || box.title() != shown))
    gtk_frame_set_label(GTK_FRAME(node.outer), box.title().empty() ? nullptr : box.title().c_str());
}

void createButton(const toolkit::View& view, RenderedNode& node, const PersonSignals& signals) {
  switch (static_cast<const toolkit::Button&>(view).buttonType()) {
    case toolkit::ButtonType::checkbox:
      node.outer = gtk_check_button_new_with_label("");
      signals.listen(node.outer, "toggled");
      break;
    case toolkit::ButtonType::toggle:
      node.outer = gtk_toggle_button_new();
      node.image = gtk_image_new();
      gtk_container_add(GTK_CONTAINER(node.outer), node.image);
      gtk_widget_show(node.image);
      gtk_button_set_relief(GTK_BUTTON(node.outer), GTK_RELIEF_NONE);
      gtk_style_context_add_class(gtk_widget_get_style_context(node.outer), "qvx-icon-toggle");
      signals.listen(node.outer, "toggled");
      break;
    case toolkit::ButtonType::push:
      node.outer = gtk_button_new_with_label("");
      signals.listen(node.outer, "clicked");
      break;
  }
}

void refreshButton(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& button = static_cast<const toolkit::Button&>(view);
  GtkWidget* widget = node.outer;
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
}

void buttonChanged(toolkit::View& view, GtkWidget*, PersonInput& input) {
  input.personClicked(static_cast<toolkit::Button&>(view));
}

void createPopUp(const toolkit::View&, RenderedNode& node, const PersonSignals& signals) {
  node.store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_BOOLEAN);
  node.outer = gtk_combo_box_new_with_model(GTK_TREE_MODEL(node.store));
  GtkCellRenderer* text = gtk_cell_renderer_text_new();
  g_object_set(text, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
  gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(node.outer), text, TRUE);
  // A disabled item is drawn dimmed and cannot be picked from the menu.
  gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(node.outer), text, "text", 0, "sensitive", 1, nullptr);
  signals.listen(node.outer, "changed");
}

void refreshPopUp(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& popup = static_cast<const toolkit::PopUpButton&>(view);
  std::vector<std::pair<std::string, bool>> items;
  for (std::int64_t i = 0; i < popup.numberOfItems(); ++i)
    items.emplace_back(popup.itemAtIndex(i)->title, popup.isItemEnabled(i));
  if (items != node.shownItems) {
    // Titles kept where they match, so an open menu is not rebuilt when only
    // an enabled flag changes.
    const auto rows = static_cast<std::size_t>(gtk_tree_model_iter_n_children(GTK_TREE_MODEL(node.store), nullptr));
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
  if (gtk_combo_box_get_active(GTK_COMBO_BOX(node.outer)) != selected)
    gtk_combo_box_set_active(GTK_COMBO_BOX(node.outer), selected);
}

void popUpChanged(toolkit::View& view, GtkWidget* source, PersonInput& input) {
  const int index = gtk_combo_box_get_active(GTK_COMBO_BOX(source));
  if (index >= 0) input.personSelectedItem(static_cast<toolkit::PopUpButton&>(view), index);
}

void createSlider(const toolkit::View&, RenderedNode& node, const PersonSignals& signals) {
  node.outer = spokenScaleNew();
  gtk_scale_set_draw_value(GTK_SCALE(node.outer), FALSE);
  signals.listen(node.outer, "value-changed");
}

void refreshSlider(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& slider = static_cast<const toolkit::Slider&>(view);
  GtkWidget* widget = node.outer;
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
}

void sliderChanged(toolkit::View& view, GtkWidget* source, PersonInput& input) {
  auto& slider = static_cast<toolkit::Slider&>(view);
  const std::int64_t value = toolkit::valueAtPosition(slider, gtk_range_get_value(GTK_RANGE(source)));
  // A drag reports every pixel; the panel hears of each new value once.
  if (value != slider.integerValue()) input.personSlid(slider, value);
}

void createTextField(const toolkit::View&, RenderedNode& node, const PersonSignals&) {
  node.outer = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(node.outer), 0);
  gtk_label_set_yalign(GTK_LABEL(node.outer), 0.5);
}

void refreshTextField(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& field = static_cast<const toolkit::TextField&>(view);
  GtkLabel* label = GTK_LABEL(node.outer);
  if (field.stringValue() != gtk_label_get_text(label)) gtk_label_set_text(label, field.stringValue().c_str());
  // The panel dims a title by turning its text grey.
  PangoAttrList* attributes = pango_attr_list_new();
  const toolkit::Color& color = field.textColor();
  if (!(color == toolkit::Color::black()))
    pango_attr_list_insert(attributes, pango_attr_foreground_new(static_cast<guint16>(color.red * 257),
                                                                 static_cast<guint16>(color.green * 257),
                                                                 static_cast<guint16>(color.blue * 257)));
  gtk_label_set_attributes(label, attributes);
  pango_attr_list_unref(attributes);
  gtk_label_set_selectable(label, field.isSelectable());
}

// Pages and the selected page are the renderer's (it places the pages' views).
void createTabView(const toolkit::View&, RenderedNode& node, const PersonSignals& signals) {
  node.outer = gtk_notebook_new();
  gtk_notebook_set_scrollable(GTK_NOTEBOOK(node.outer), FALSE);
  g_signal_connect(node.outer, "switch-page", signals.switchedPage, signals.data);
}

void createSegmented(const toolkit::View&, RenderedNode& node, const PersonSignals&) {
  node.outer = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  gtk_box_set_homogeneous(GTK_BOX(node.outer), TRUE);
  gtk_style_context_add_class(gtk_widget_get_style_context(node.outer), GTK_STYLE_CLASS_LINKED);
}

void refreshSegmented(const toolkit::View& view, RenderedNode& node, const PersonSignals& signals) {
  const auto& control = static_cast<const toolkit::SegmentedControl&>(view);
  const auto count = static_cast<std::size_t>(control.segmentCount());
  if (node.segments.size() != count) {
    for (GtkWidget* old : node.segments) gtk_container_remove(GTK_CONTAINER(node.outer), old);
    node.segments.clear();
    for (std::size_t i = 0; i < count; ++i) {
      GtkWidget* segment = gtk_toggle_button_new_with_label("");
      g_object_set_data(G_OBJECT(segment), kSegmentKey, GSIZE_TO_POINTER(i));
      signals.listen(segment, "clicked");
      gtk_box_pack_start(GTK_BOX(node.outer), segment, TRUE, TRUE, 0);
      gtk_widget_show(segment);
      node.segments.push_back(segment);
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    GtkWidget* segment = node.segments[i];
    const std::string& label = control.segments()[i].label;
    if (label != gtk_button_get_label(GTK_BUTTON(segment))) gtk_button_set_label(GTK_BUTTON(segment), label.c_str());
    const auto index = static_cast<std::int64_t>(i);
    gtk_widget_set_sensitive(segment, control.isEnabledForSegment(index));
    const bool selected = control.selectedSegment() == index;
    if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(segment)) != selected)
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(segment), selected);
  }
}

void segmentedChanged(toolkit::View& view, GtkWidget* source, PersonInput& input) {
  const auto index = static_cast<std::int64_t>(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(source), kSegmentKey)));
  input.personSelectedSegment(static_cast<toolkit::SegmentedControl&>(view), index);
}

void createImageView(const toolkit::View&, RenderedNode& node, const PersonSignals&) { node.outer = gtk_image_new(); }

void refreshImageView(const toolkit::View& view, RenderedNode& node, const PersonSignals&) {
  const auto& imageView = static_cast<const toolkit::ImageView&>(view);
  if (imageView.image()) {
    gtk_image_set_from_icon_name(GTK_IMAGE(node.outer), imageView.image()->iconName.c_str(), GTK_ICON_SIZE_DIALOG);
    gtk_image_set_pixel_size(GTK_IMAGE(node.outer), static_cast<int>(imageView.image()->size.width));
  } else {
    gtk_image_clear(GTK_IMAGE(node.outer));
  }
}

constexpr ViewAdapter kView{createView, nothing, nullptr};
constexpr ViewAdapter kBox{createBox, refreshBox, nullptr};
constexpr ViewAdapter kButton{createButton, refreshButton, buttonChanged};
constexpr ViewAdapter kPopUp{createPopUp, refreshPopUp, popUpChanged};
constexpr ViewAdapter kSlider{createSlider, refreshSlider, sliderChanged};
constexpr ViewAdapter kTextField{createTextField, refreshTextField, nullptr};
constexpr ViewAdapter kTabView{createTabView, nothing, nullptr};
constexpr ViewAdapter kSegmented{createSegmented, refreshSegmented, segmentedChanged};
constexpr ViewAdapter kImageView{createImageView, refreshImageView, nullptr};

}  // namespace

RenderedNode::~RenderedNode() {
  if (outer != nullptr) {
    if (GtkWidget* parent = gtk_widget_get_parent(outer)) gtk_container_remove(GTK_CONTAINER(parent), outer);
    g_object_unref(outer);
  }
  if (store != nullptr) g_object_unref(store);
}

const ViewAdapter& adapterFor(ViewKind kind) {
  switch (kind) {
    case ViewKind::view: return kView;
    case ViewKind::box: return kBox;
    case ViewKind::button: return kButton;
    case ViewKind::popUpButton: return kPopUp;
    case ViewKind::slider: return kSlider;
    case ViewKind::textField: return kTextField;
    case ViewKind::tabView: return kTabView;
    case ViewKind::segmentedControl: return kSegmented;
    case ViewKind::imageView: return kImageView;
  }
  return kView;
}

}  // namespace pdehost::gtk
