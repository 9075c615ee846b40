// What the host can tell about the panel: its state, the print settings
// and a plain picture of what a person sees.
#include "script/command_table.h"
#include "session/host_session.h"
#include "session/panel_outline.h"
#include "toolkit/view_description.h"

namespace pdehost {
namespace {

using nlohmann::json;

CommandOutcome state(HostSession& session, const std::vector<std::string>&) {
  CommandOutcome outcome;
  outcome.line["panel"] = session.panel().stateSnapshot();
  json controls = json::object();
  for (const auto& [name, view] : session.panel().outlets()) {
    if (view == nullptr) continue;
    json described = toolkit::describeView(*view);
    described["visible"] =
        session.shownView() != nullptr && toolkit::isVisibleInside(*view, *session.shownView());
    controls[name] = std::move(described);
  }
  outcome.line["controls"] = std::move(controls);
  return outcome;
}

CommandOutcome settings(HostSession& session, const std::vector<std::string>&) {
  CommandOutcome outcome;
  outcome.line["settings"] = session.settings() != nullptr ? session.settings()->toJson() : json(nullptr);
  return outcome;
}

CommandOutcome show(HostSession& session, const std::vector<std::string>&) {
  if (session.shownView() == nullptr) return CommandOutcome::refused("the panel is not shown (no panelView yet)");
  CommandOutcome outcome;
  outcome.line["text"] = outlinePanel(*session.shownView());
  return outcome;
}

}  // namespace

void addStateCommands(CommandTable& table) {
  table.add({"state", "", 0, 0, state});
  table.add({"settings", "", 0, 0, settings});
  table.add({"show", "", 0, 0, show});
}

}  // namespace pdehost
