// The small test page pdehost prints when no file is named: one PostScript
// page that names the host and the time it was made.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "toolkit/whole_file.h"

namespace pdehost {

// The page's PostScript text, with `printer` and `when` written on it.
std::string testPageText(const std::string& printer, const std::string& when);

// The page written to a new file in the temporary folder, removed when the
// last copy goes; empty (and `*error`) when it cannot be written.
toolkit::TemporaryFile writeTestPage(const std::string& printer, std::string* error);

}  // namespace pdehost
