#include "session/panel_outline.h"

#include <algorithm>
#include <cmath>

#include "toolkit/controls.h"

namespace pdehost {
namespace {

std::string dimmed(const std::string& text, bool enabled) { return enabled ? text : text + " (dimmed)"; }

std::string render(const toolkit::View& view) {
  using toolkit::ViewKind;
  switch (view.kind()) {
    case ViewKind::textField: {
      const auto& field = static_cast<const toolkit::TextField&>(view);
      std::string text = field.stringValue();
      if (field.isEditable()) text = "[" + text + "]";
      return field.textColor() == toolkit::Color::black() ? text : text + " (grey)";
    }
    case ViewKind::button: {
      const auto& button = static_cast<const toolkit::Button&>(view);
      std::string text;
      switch (button.buttonType()) {
        case toolkit::ButtonType::checkbox:
          text = (button.state() != 0 ? "[x] " : "[ ] ") + button.title();
          break;
        case toolkit::ButtonType::toggle: {
          const auto& image = button.state() != 0 ? button.alternateImage() : button.image();
          std::string face = image ? image->iconName : button.title();
          text = "<" + face + (button.state() != 0 ? ": on>" : ": off>");
          break;
        }
        case toolkit::ButtonType::push:
          text = "<" + button.title() + ">";
          break;
      }
      return dimmed(text, button.isEnabled());
    }
    case ViewKind::popUpButton: {
      const auto& popup = static_cast<const toolkit::PopUpButton&>(view);
      std::string text = "[" + (popup.indexOfSelectedItem() < 0 ? std::string("-") : popup.titleOfSelectedItem()) +
                         " v] (" + std::to_string(popup.numberOfItems()) + " items)";
      return dimmed(text, popup.isEnabled());
    }
    case ViewKind::slider: {
      const auto& slider = static_cast<const toolkit::Slider&>(view);
      const int width = 9;
      double span = slider.maxValue() - slider.minValue();
      int at = span > 0 ? static_cast<int>(std::lround((slider.doubleValue() - slider.minValue()) / span * (width - 1)))
                        : 0;
      std::string track(width, '-');
      track[static_cast<std::size_t>(at)] = 'o';
      return dimmed("|" + track + "| " + std::to_string(slider.integerValue()), slider.isEnabled());
    }
    case ViewKind::segmentedControl: {
      const auto& control = static_cast<const toolkit::SegmentedControl&>(view);
      std::string text = "(";
      for (std::int64_t i = 0; i < control.segmentCount(); ++i) {
        const std::string& label = control.segments()[static_cast<std::size_t>(i)].label;
        text += (i > 0 ? " | " : " ") + (i == control.selectedSegment() ? "*" + label + "*" : label);
      }
      return dimmed(text + " )", control.isEnabled());
    }
    case ViewKind::imageView: {
      const auto& image = static_cast<const toolkit::ImageView&>(view).image();
      return "{image " + (image ? image->iconName : std::string("none")) + "}";
    }
    case ViewKind::box:
    case ViewKind::tabView:
    case ViewKind::view:
      break;
  }
  return "";
}

struct Placed {
  const toolkit::View* view;
  double top;   // upper edge, in the coordinates of the container's top
  double left;
};

void outline(const toolkit::View& container, int depth, std::vector<std::string>& lines) {
  std::vector<Placed> children;
  for (const auto& child : container.subviews()) {
    if (child->isHidden()) continue;
    children.push_back({child.get(), child->frame().y + child->frame().height, child->frame().x});
  }
  // Top to bottom (y grows upwards), then left to right; views whose upper
  // edges are close share a row.
  std::stable_sort(children.begin(), children.end(), [](const Placed& a, const Placed& b) {
    return a.top != b.top ? a.top > b.top : a.left < b.left;
  });
  const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
  // Boxes come after the rows around them: they often stand in a column
  // of their own beside those rows.
  std::vector<const toolkit::View*> boxes;
  std::size_t i = 0;
  while (i < children.size()) {
    std::size_t end = i + 1;
    while (end < children.size() && children[i].top - children[end].top < 10) ++end;
    std::sort(children.begin() + static_cast<std::ptrdiff_t>(i), children.begin() + static_cast<std::ptrdiff_t>(end),
              [](const Placed& a, const Placed& b) { return a.left < b.left; });
    std::string row;
    std::vector<const toolkit::View*> containers;
    for (std::size_t k = i; k < end; ++k) {
      const toolkit::View* view = children[k].view;
      if (view->kind() == toolkit::ViewKind::box || view->kind() == toolkit::ViewKind::tabView ||
          view->kind() == toolkit::ViewKind::view) {
        containers.push_back(view);
        continue;
      }
      std::string text = render(*view);
      if (text.empty()) continue;
      if (!row.empty()) row += "   ";
      row += text;
    }
    if (!row.empty()) lines.push_back(indent + row);
    for (const toolkit::View* view : containers) {
      if (view->kind() == toolkit::ViewKind::box) {
        boxes.push_back(view);
      } else if (view->kind() == toolkit::ViewKind::tabView) {
        const auto& tabs = static_cast<const toolkit::TabView&>(*view);
        std::string strip;
        for (std::int64_t t = 0; t < tabs.numberOfTabViewItems(); ++t) {
          const toolkit::TabViewItem* item = tabs.tabViewItemAtIndex(t);
          bool selected = item == tabs.selectedTabViewItem();
          strip += (t > 0 ? " | " : "") + (selected ? "[" + item->label() + "]" : item->label());
        }
        lines.push_back(indent + "Tabs: " + strip);
        if (const toolkit::TabViewItem* item = tabs.selectedTabViewItem()) outline(item->view(), depth + 1, lines);
        outline(*view, depth + 1, lines);
      } else {
        outline(*view, depth, lines);
      }
    }
    i = end;
  }
  for (const toolkit::View* box : boxes) {
    lines.push_back(indent + "+- " + static_cast<const toolkit::Box*>(box)->title() + " -+");
    outline(*box, depth + 1, lines);
  }
}

}  // namespace

std::vector<std::string> outlinePanel(const toolkit::View& root) {
  std::vector<std::string> lines;
  if (!root.isHidden()) outline(root, 0, lines);
  return lines;
}

}  // namespace pdehost
