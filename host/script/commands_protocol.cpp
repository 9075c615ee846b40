// The panel protocol operations, each called as the host dialog would and
// answered with its result.
#include "script/command_table.h"
#include "session/host_session.h"
#include "toolkit/view_description.h"

namespace pdehost {
namespace {

using nlohmann::json;

CommandSpec noArguments(std::string name, std::function<json(HostSession&)> call) {
  return {std::move(name), "", 0, 0,
          [call = std::move(call)](HostSession& session, const std::vector<std::string>&) {
            return CommandOutcome::result(call(session));
          }};
}

// restore and save: the answer and any error text the panel set.
CommandOutcome withError(bool (pde::Panel::*operation)(std::string*), HostSession& session) {
  std::string error;
  bool answer = (session.panel().*operation)(&error);
  CommandOutcome outcome = CommandOutcome::result(answer);
  outcome.line["error"] = error.empty() ? json(nullptr) : json(error);
  return outcome;
}

}  // namespace

void addProtocolCommands(CommandTable& table) {
  table.add(noArguments("panelName", [](HostSession& s) { return json(s.panel().panelName()); }));
  table.add(noArguments("panelKind", [](HostSession& s) { return json(s.panel().panelKind()); }));
  table.add(noArguments("supportedPPDOptionKeys",
                        [](HostSession& s) { return json(s.panel().supportedPPDOptionKeys()); }));
  table.add(noArguments("panelView", [](HostSession& s) -> json {
    toolkit::View* view = s.panel().panelView();
    s.show(view);
    if (view == nullptr) return nullptr;
    json shown = toolkit::describeView(*view);
    shown["subviews"] = view->subviews().size();
    return shown;
  }));
  table.add(noArguments("willShow", [](HostSession& s) {
    s.panel().willShow();
    return json(nullptr);
  }));
  table.add(noArguments("shouldHide", [](HostSession& s) { return json(s.panel().shouldHide()); }));
  table.add({"restore", "", 0, 0, [](HostSession& s, const std::vector<std::string>&) {
               return withError(&pde::Panel::restoreValuesAndReturnError, s);
             }});
  table.add({"save", "", 0, 0, [](HostSession& s, const std::vector<std::string>&) {
               return withError(&pde::Panel::saveValuesAndReturnError, s);
             }});
  table.add(noArguments("summaryInfo", [](HostSession& s) { return s.panel().summaryInfo(); }));
  table.add(noArguments("shouldPrint", [](HostSession& s) { return json(s.panel().shouldPrint()); }));
  table.add(noArguments("shouldShowHelp", [](HostSession& s) { return json(s.panel().shouldShowHelp()); }));
}

}  // namespace pdehost
