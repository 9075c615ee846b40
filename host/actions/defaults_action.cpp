#include "actions/defaults_action.h"

#include "actions/print_action.h"
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
  SavedDefaults result{*printer, printerOptionsIn(*session.ppd(), textEntriesOf(*session.settings()))};
  Failure failure;
  auto server = CupsServer::connect(&failure);
  if (!server || !saveUserDefaults(*server, *printer, result.saved, &failure)) return failure;
  return result;
}

}  // namespace pdehost
