// Files named on the command line or in a script. On Linux a folder opens
// for reading and then reads as nothing, which would pass for an empty file
// (an empty script, an empty description), so folders are named as such.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pdehost {

// "PATH: is a folder, not a file" when `path` is a folder, else nothing.
inline std::optional<std::string> folderInsteadOfFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) return std::nullopt;
  return path.string() + ": is a folder, not a file";
}

}  // namespace pdehost
