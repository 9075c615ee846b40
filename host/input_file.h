// Files named on the command line or in a script. On Linux a folder opens
// for reading and then reads as nothing, which would pass for an empty file
// (an empty script, an empty description), so folders are named as such;
// so is an empty name, which would give a message naming nothing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pdehost {

// Why `path` cannot name a file: "PATH: is a folder, not a file", or that
// the name is empty; nothing when it may name one.
inline std::optional<std::string> whyNotAFile(const std::filesystem::path& path) {
  if (path.empty()) return "the file name is empty";
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) return std::nullopt;
  return path.string() + ": is a folder, not a file";
}

}  // namespace pdehost
