#include "actions/defaults_action.h"

#include "actions/print_action.h"
#include "page_layout.h"
#include "session/host_session.h"
#include "store/queue_defaults.h"
#include "store/user_defaults.h"

namespace pdehost {

Result<SavedDefaults> saveDefaults(HostSession& session) {
  if (session.settings() == nullptr) return Failure{FailureKind::noSettings, {}, {}};
  const std::optional<std::string>& printer = session.printer().queue;
  if (!printer || printer->empty()) return whyNoQueue(session);
  if (session.ppd() == nullptr) return Failure{FailureKind::noDescriptionToCheck, {}, {}};
  // The panel's choices reach the print settings first.
  session.panel().shouldPrint();
  const OptionList entries = textEntriesOf(*session.settings());
  SavedDefaults result{*printer, printerOptionsIn(*session.ppd(), entries)};
  // The layout too, where CUPS keeps a default for it (number-up, ...).
  for (const auto& [name, value] : entries) {
    if (page::isKeptLayoutOption(name)) result.saved.emplace_back(name, value);
  }
  Failure failure;
  auto server = CupsServer::connect(&failure);
  if (!server || !saveUserDefaults(*server, *printer, result.saved, &failure)) return failure;
  return result;
}

}  // namespace pdehost
