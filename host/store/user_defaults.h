// The user's saved CUPS defaults (the lpoptions file), written through
// libcups' destination store so that every application's print dialog reads
// them. libcups rewrites the file in place and ignores write errors, so the
// file is copied first, read back afterwards, and put back on any
// difference: a full disk never costs the person the defaults of their other
// queues.
#pragma once

#include <filesystem>
#include <string>

#include "cups/cups_server.h"

namespace pdehost {

// The file libcups keeps the saved defaults in: ~/.cups/lpoptions, or the
// client's own lpoptions (CUPS_SERVERROOT) when there is no home folder.
std::filesystem::path userDefaultsFile();

// Writes `options` as the user's saved defaults for `queue`, replacing
// earlier values of the same options and keeping every other saved option.
// False, with `*failure` naming the file (or the server) and the cause, when
// they were not saved; the file is then as it was.
bool saveUserDefaults(CupsServer& server, const std::string& queue, const OptionList& options, Failure* failure);

}  // namespace pdehost
