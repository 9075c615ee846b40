// Whether the installer log may be opened for the person running this
// program. The log lives in /tmp under a fixed name that any local user can
// take first, with a file or a symbolic link of their own.
#pragma once

#include <filesystem>

namespace qvx {

// True only for a regular file at `path` itself (a symbolic link is not
// followed) that belongs to the user running this program. Opens nothing that
// could block or has side effects: FIFOs and devices are turned down by their
// type before any open.
bool isOwnRegularFile(const std::filesystem::path& path);

}  // namespace qvx
