// Save as Default: the panel's printer options become the user's CUPS
// defaults for the queue, what `lpoptions -p QUEUE` shows and every
// application prints with.
#pragma once

#include <string>

#include "actions/result.h"
#include "cups/cups_server.h"

namespace pdehost {

class HostSession;

struct SavedDefaults {
  std::string printer;
  OptionList saved;  // the printer options saved, in key order
};

Result<SavedDefaults> saveDefaults(HostSession& session);

}  // namespace pdehost
