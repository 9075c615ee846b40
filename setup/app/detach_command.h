// Detaching the disk image the program was started from.
//
// When the program quits while it runs from a mounted volume, it asks the
// system to detach that volume a second later (by then the program is gone).
// These are the string pieces of that step; starting the command lives in the
// application shell.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvx {

// "/Volumes/<second path component>" for a bundle below "/Volumes/", or
// nothing when the bundle is not on a mounted volume. Empty components are
// skipped, so "/Volumes//Disk/App.app" gives "/Volumes/Disk".
std::optional<std::string> volumePathForBundle(std::string_view bundlePath);

// `text` with a backslash before each character that keeps a special meaning
// inside a double-quoted shell word: the double quote, the dollar sign, the
// backquote and the backslash. Between double quotes the result reads back as
// exactly `text`.
std::string escapeForDoubleQuotes(std::string_view text);

// The shell text that waits a second and then force-detaches the volume, with
// the volume path as one double-quoted word and all output discarded.
std::string detachCommandText(std::string_view volumePath);

// The detach command: this executable with the two arguments "-c" and the text.
inline constexpr const char* kDetachExecutable = "/bin/bash";
std::vector<std::string> detachCommandArguments(std::string_view volumePath);

}  // namespace qvx
