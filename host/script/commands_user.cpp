// What a person can do with the panel's controls, and nothing more: a
// control must be shown (the host asked for the panel's view, the control
// sits in it, nothing above it is hidden and its tab is selected) and
// enabled, and a popup item or segment must be enabled.
#include <limits>
#include <sstream>
#include <variant>

#include "script/command_table.h"
#include "session/host_session.h"
#include "toolkit/controls.h"
#include "toolkit/person_reach.h"

namespace pdehost {
namespace {

using nlohmann::json;

constexpr const char* kNotShown = "the panel is not shown (no panelView yet)";

// The refusal that names what keeps a person from the outlet `name`.
std::string describe(const toolkit::Obstacle& obstacle, const std::string& name) {
  using Kind = toolkit::Obstacle::Kind;
  switch (obstacle.kind) {
    case Kind::notShown: return kNotShown;
    case Kind::hidden: return name + " is hidden";
    case Kind::insideHiddenView: return name + " is inside a hidden view";
    case Kind::onUnselectedTab: return name + " is on tab \"" + obstacle.tab + "\", which is not selected";
    case Kind::outsideShownView: return name + " is not in the panel's view";
    case Kind::disabled: return name + " is disabled";
  }
  return name + " cannot be used";
}

// The outlet as a control of class T that a person can use, or the refusal.
template <typename T>
std::variant<T*, CommandOutcome> usable(HostSession& session, const std::string& name, toolkit::ViewKind kind,
                                        const char* what) {
  if (session.shownView() == nullptr) return CommandOutcome::refused(kNotShown);
  toolkit::View* view = session.outlet(name);
  if (view == nullptr) return CommandOutcome::refused("the panel has no control " + name);
  if (view->kind() != kind)
    return CommandOutcome::refused(name + " is a " + std::string(toolkit::className(view->kind())) + ", not " + what);
  if (auto obstacle = toolkit::whyUnusable(*view, session.shownView()))
    return CommandOutcome::refused(describe(*obstacle, name));
  return static_cast<T*>(view);
}

CommandOutcome done(const std::string& name, json details = json::object()) {
  CommandOutcome outcome;
  outcome.line["ok"] = true;
  outcome.line["outlet"] = name;
  outcome.line.update(details);
  return outcome;
}

// A whole number; one too large for the type stands as the largest (or
// smallest) there is, so that it is refused as out of range like any other.
std::optional<long long> integerArgument(const std::string& text) {
  if (auto value = parseInteger(text)) return value;
  const bool negative = text.rfind('-', 0) == 0;
  const std::string_view digits = std::string_view(text).substr(negative ? 1 : 0);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return negative ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
}

// The refusal of `entry` ("item", "segment") `index` of the outlet args[0],
// which args[1] gave.
CommandOutcome refusePick(toolkit::PickRefusal refusal, const std::string& entry, const std::vector<std::string>& args,
                          long long index) {
  if (refusal == toolkit::PickRefusal::noSuchEntry)
    return CommandOutcome::refused(args[0] + " has no " + entry + " " + args[1]);
  return CommandOutcome::refused(entry + " " + std::to_string(index) + " of " + args[0] + " is disabled");
}

CommandOutcome selectItem(HostSession& session, const std::vector<std::string>& args) {
  auto index = integerArgument(args[1]);
  if (!index) return CommandOutcome::badScript("select: INDEX must be a whole number, not \"" + args[1] + "\"");
  auto found = usable<toolkit::PopUpButton>(session, args[0], toolkit::ViewKind::popUpButton, "a popup button");
  if (auto* refusal = std::get_if<CommandOutcome>(&found)) return *refusal;
  auto* popup = std::get<toolkit::PopUpButton*>(found);
  if (auto refusal = toolkit::whyNotPickable(*popup, *index)) return refusePick(*refusal, "item", args, *index);
  popup->selectItemAtIndex(*index);
  popup->sendAction();
  return done(args[0], {{"index", *index}, {"title", popup->itemAtIndex(*index)->title}});
}

CommandOutcome clickButton(HostSession& session, const std::vector<std::string>& args) {
  auto found = usable<toolkit::Button>(session, args[0], toolkit::ViewKind::button, "a button");
  if (auto* refusal = std::get_if<CommandOutcome>(&found)) return *refusal;
  auto* button = std::get<toolkit::Button*>(found);
  button->performClick();
  return done(args[0], {{"state", button->state()}});
}

CommandOutcome slide(HostSession& session, const std::vector<std::string>& args) {
  auto value = integerArgument(args[1]);
  if (!value) return CommandOutcome::badScript("slide: VALUE must be a whole number, not \"" + args[1] + "\"");
  auto found = usable<toolkit::Slider>(session, args[0], toolkit::ViewKind::slider, "a slider");
  if (auto* refusal = std::get_if<CommandOutcome>(&found)) return *refusal;
  auto* slider = std::get<toolkit::Slider*>(found);
  const double v = static_cast<double>(*value);
  if (auto refusal = toolkit::whyNotSlidable(*slider, v)) {
    if (*refusal == toolkit::SlideRefusal::offTickMark)
      return CommandOutcome::refused(args[0] + " stops only at its tick marks");
    std::ostringstream range;
    range << args[0] << " goes from " << slider->minValue() << " to " << slider->maxValue();
    return CommandOutcome::refused(range.str());
  }
  slider->setDoubleValue(v);
  slider->sendAction();
  return done(args[0], {{"value", slider->integerValue()}});
}

CommandOutcome segment(HostSession& session, const std::vector<std::string>& args) {
  auto index = integerArgument(args[1]);
  if (!index) return CommandOutcome::badScript("segment: INDEX must be a whole number, not \"" + args[1] + "\"");
  auto found =
      usable<toolkit::SegmentedControl>(session, args[0], toolkit::ViewKind::segmentedControl, "a segmented control");
  if (auto* refusal = std::get_if<CommandOutcome>(&found)) return *refusal;
  auto* control = std::get<toolkit::SegmentedControl*>(found);
  if (auto refusal = toolkit::whyNotPickable(*control, *index)) return refusePick(*refusal, "segment", args, *index);
  control->setSelectedSegment(*index);
  control->sendAction();
  return done(args[0], {{"index", *index}});
}

// The panel's tab view: the one named mainTabView, else the first listed.
std::string tabViewOutlet(const HostSession& session) {
  std::string first;
  for (const auto& [name, view] : session.panel().outlets()) {
    if (view == nullptr || view->kind() != toolkit::ViewKind::tabView) continue;
    if (name == "mainTabView") return name;
    if (first.empty()) first = name;
  }
  return first;
}

CommandOutcome tab(HostSession& session, const std::vector<std::string>& args) {
  // Before panelView the layout is not loaded, so no tab view is known yet.
  if (session.shownView() == nullptr) return CommandOutcome::refused(kNotShown);
  const std::string name = tabViewOutlet(session);
  if (name.empty()) return CommandOutcome::refused("the panel has no tab view");
  auto found = usable<toolkit::TabView>(session, name, toolkit::ViewKind::tabView, "a tab view");
  if (auto* refusal = std::get_if<CommandOutcome>(&found)) return *refusal;
  auto* tabs = std::get<toolkit::TabView*>(found);
  std::int64_t index = tabs->indexOfTabViewItemWithIdentifier(args[0]);
  if (index < 0) return CommandOutcome::refused(name + " has no tab \"" + args[0] + "\"");
  bool answer = tabs->clickTabViewItemAtIndex(index);
  const toolkit::TabViewItem* selected = tabs->selectedTabViewItem();
  CommandOutcome outcome = CommandOutcome::result(answer);
  outcome.line["identifier"] = args[0];
  outcome.line["selected"] = selected != nullptr ? json(selected->identifier()) : json(nullptr);
  return outcome;
}

}  // namespace

void addUserCommands(CommandTable& table) {
  table.add({"select", "OUTLET INDEX", 2, 2, selectItem});
  table.add({"click", "OUTLET", 1, 1, clickButton});
  table.add({"slide", "OUTLET VALUE", 2, 2, slide});
  table.add({"segment", "OUTLET INDEX", 2, 2, segment});
  table.add({"tab", "IDENTIFIER", 1, 1, tab});
}

}  // namespace pdehost
