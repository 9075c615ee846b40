#include "toolkit/view_description.h"

#include <nlohmann/json.hpp>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

using Json = nlohmann::json;

Json frameJson(const Rect& r) { return Json::array({r.x, r.y, r.width, r.height}); }

Json imageJson(const std::optional<Image>& image) {
  if (!image) return nullptr;
  return {{"icon", image->iconName}, {"size", Json::array({image->size.width, image->size.height})}};
}

std::string_view buttonTypeName(ButtonType type) {
  switch (type) {
    case ButtonType::push: return "push";
    case ButtonType::toggle: return "toggle";
    case ButtonType::checkbox: return "checkbox";
  }
  return "push";
}

}  // namespace

Json describeView(const View& view) {
  Json out = {{"kind", className(view.kind())}, {"frame", frameJson(view.frame())}, {"hidden", view.isHidden()}};
  if (const auto* control = dynamic_cast<const Control*>(&view)) out["enabled"] = control->isEnabled();
  switch (view.kind()) {
    case ViewKind::button: {
      const auto& b = static_cast<const Button&>(view);
      out["buttonType"] = buttonTypeName(b.buttonType());
      out["title"] = b.title();
      out["state"] = b.state();
      out["image"] = imageJson(b.image());
      out["alternateImage"] = imageJson(b.alternateImage());
      break;
    }
    case ViewKind::popUpButton: {
      const auto& p = static_cast<const PopUpButton&>(view);
      Json items = Json::array();
      for (std::int64_t i = 0; i < p.numberOfItems(); ++i)
        items.push_back({{"title", p.itemAtIndex(i)->title}, {"enabled", p.isItemEnabled(i)}});
      out["items"] = std::move(items);
      out["selectedIndex"] = p.indexOfSelectedItem();
      out["autoenablesItems"] = p.autoenablesItems();
      break;
    }
    case ViewKind::slider: {
      const auto& s = static_cast<const Slider&>(view);
      out["value"] = s.integerValue();
      out["minValue"] = s.minValue();
      out["maxValue"] = s.maxValue();
      break;
    }
    case ViewKind::textField: {
      const auto& t = static_cast<const TextField&>(view);
      out["text"] = t.stringValue();
      out["editable"] = t.isEditable();
      out["selectable"] = t.isSelectable();
      out["textColor"] = t.textColor().name();
      out["tag"] = t.tag();
      Window* window = t.window();
      out["firstResponder"] = window != nullptr && window->firstResponder() == &t;
      break;
    }
    case ViewKind::box:
      out["title"] = static_cast<const Box&>(view).title();
      break;
    case ViewKind::tabView: {
      const auto& tv = static_cast<const TabView&>(view);
      Json tabs = Json::array();
      for (std::int64_t i = 0; i < tv.numberOfTabViewItems(); ++i) {
        const TabViewItem* item = tv.tabViewItemAtIndex(i);
        tabs.push_back({{"label", item->label()}, {"identifier", item->identifier()}});
      }
      out["tabs"] = std::move(tabs);
      const TabViewItem* selected = tv.selectedTabViewItem();
      out["selectedIdentifier"] = selected != nullptr ? Json(selected->identifier()) : Json(nullptr);
      break;
    }
    case ViewKind::segmentedControl: {
      const auto& s = static_cast<const SegmentedControl&>(view);
      Json segments = Json::array();
      for (const auto& segment : s.segments()) segments.push_back({{"label", segment.label}, {"enabled", segment.enabled}});
      out["segments"] = std::move(segments);
      out["selectedSegment"] = s.selectedSegment();
      break;
    }
    case ViewKind::imageView:
      out["image"] = imageJson(static_cast<const ImageView&>(view).image());
      break;
    case ViewKind::view:
      break;
  }
  return out;
}

bool isVisibleInside(const View& view, const View& root) {
  const View* child = nullptr;
  for (const View* at = &view; at != nullptr; child = at, at = at->superview()) {
    if (at->isHidden()) return false;
    if (child != nullptr && at->kind() == ViewKind::tabView) {
      // A view directly inside a tab view is either a subview or an item's view.
      const auto& tabs = static_cast<const TabView&>(*at);
      const TabViewItem* selected = tabs.selectedTabViewItem();
      bool isItemView = false;
      for (std::int64_t i = 0; i < tabs.numberOfTabViewItems(); ++i)
        isItemView = isItemView || &tabs.tabViewItemAtIndex(i)->view() == child;
      if (isItemView && (selected == nullptr || &selected->view() != child)) return false;
    }
    if (at == &root) return true;
  }
  return false;
}

}  // namespace toolkit
