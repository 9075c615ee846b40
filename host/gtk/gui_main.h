// `pdehost --gui`: the panel in a print dialog window on the display.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "script/command_table.h"
#include "session/host_options.h"

namespace pdehost::gtk {

// Opens the dialog at once over the bundle's sample description, asks the
// CUPS server for the queue meanwhile and opens its panel when it answers;
// then runs `script` (when not null), to start from the state it leaves.
// Returns when the dialog closes: the exit status, kExitCannotLoad when
// there is no display or the plug-in cannot be loaded.
int runPrintDialog(const HostOptions& options, const std::filesystem::path& program, const CommandTable& commands,
                   std::istream* script, const std::string& scriptName);

}  // namespace pdehost::gtk
