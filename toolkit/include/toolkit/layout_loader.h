// Loading a JSON layout into the control model.
//
// A layout file is a JSON object {"views": [node, ...]} of top-level nodes.
// A node is an object with "class" (View, Button, PopUpButton, Slider,
// TextField, Box, TabView, SegmentedControl, ImageView), an optional
// "frame" [x, y, width, height], "hidden", "subviews" (nested nodes),
// "outlet" (the owner's field the view is connected to), and for controls
// "action" (a selector name sent to the owner), "enabled" and "tag".
// Class-specific keys:
//   Button:           "buttonType" ("push", "toggle", "checkbox"), "title",
//                     "state", "image", "alternateImage" ({"icon", "size"})
//   PopUpButton:      "items" (titles, or {"title", "enabled"}),
//                     "selectedIndex", "autoenablesItems"
//   Slider:           "minValue", "maxValue", "value", "numberOfTickMarks",
//                     "allowsTickMarkValuesOnly"
//   TextField:        "stringValue", "editable", "selectable", "textColor"
//                     ("black", "grey" or "#rrggbb")
//   Box:              "title"
//   TabView:          "tabs" ({"label", "identifier", "frame", "subviews"}),
//                     "selectedIndex"
//   SegmentedControl: "segments" (labels, or {"label", "enabled"}),
//                     "selectedSegment"
//   ImageView:        "image"
// Unknown keys, wrong types and duplicate outlets make the file malformed.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/view.h"

namespace toolkit {

// The object a layout is loaded for: its outlets receive the views named by
// "outlet", and it is the target of every "action".
class LayoutOwner : public ActionTarget {
 public:
  // Connects `view` to the outlet `name`; false when the owner has no such
  // outlet or the view is of a class the outlet cannot hold. Keep the view
  // (std::shared_ptr or std::weak_ptr): a view may leave the hierarchy (a
  // removed tab item) while the owner still refers to it.
  virtual bool setOutlet(std::string_view name, const std::shared_ptr<View>& view) = 0;
};

struct LoadedLayout {
  std::vector<std::shared_ptr<View>> topLevelObjects;
  // Outlets the owner did not take and actions it has no handler for.
  std::vector<std::string> warnings;
};

// Builds the views of a layout text and connects them to `owner` (which may
// be null). A malformed text gives no views, connects nothing and sets
// `*error` (when given) to a message naming `sourceName` and the place.
std::optional<LoadedLayout> loadLayoutFromString(std::string_view text, LayoutOwner* owner,
                                                 std::string* error,
                                                 std::string_view sourceName = "layout");
std::optional<LoadedLayout> loadLayoutFromFile(const std::filesystem::path& path,
                                               LayoutOwner* owner, std::string* error);

}  // namespace toolkit
