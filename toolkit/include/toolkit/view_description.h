// A JSON description of a view as a person sees it, for hosts that print or
// compare what a panel shows.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include "toolkit/view.h"

namespace toolkit {

// {"kind", "frame", "hidden", ...} with the class's own state: "enabled";
// a button's "buttonType", "title", "state", "image", "alternateImage"; a
// popup's "items" ([{"title", "enabled"}], enabled as a person can pick it),
// "selectedIndex", "autoenablesItems"; a slider's "value", "minValue",
// "maxValue"; a text field's "text", "editable", "selectable", "textColor",
// "tag"; a box's "title"; a tab view's "tabs" ([{"label", "identifier"}]),
// "selectedIdentifier"; a segmented control's "segments", "selectedSegment";
// an image view's "image". Subviews are not included.
nlohmann::json describeView(const View& view);

// Whether a person can reach the view: it is inside `root`, neither it nor
// any view above it is hidden, and every tab item it sits in is selected.
bool isVisibleInside(const View& view, const View& root);

}  // namespace toolkit
