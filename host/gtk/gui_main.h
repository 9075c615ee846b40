// `pdehost --gui`: the panel in a print dialog window on the display.
#pragma once

#include <iosfwd>
#include <string>

#include "command_table.h"

namespace pdehost {
class HostSession;
}

namespace pdehost::gtk {

// Opens the dialog, runs `script` (when not null) in it first, to start from
// the state it leaves, and returns when the dialog closes: the exit status,
// or kExitCannotLoad when there is no display.
int runPrintDialog(HostSession& session, const CommandTable& commands, std::istream* script,
                   const std::string& scriptName);

}  // namespace pdehost::gtk
