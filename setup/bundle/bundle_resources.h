// Finding the application bundle from the running executable: the program lives
// at X.app/Contents/MacOS/<name> and its resources at X.app/Contents/Resources/.
#pragma once

#include <filesystem>
#include <optional>

namespace qvx {

// The X.app folder of an executable at X.app/Contents/MacOS/<name>, or none
// when the executable does not sit in that shape. Pure path logic.
std::optional<std::filesystem::path> bundleDirectoryForExecutable(const std::filesystem::path& executable);

// X.app/Contents/Resources for such an executable, if it is a directory.
std::optional<std::filesystem::path> resourcesDirectoryForExecutable(const std::filesystem::path& executable);

// The running program's own executable (from /proc/self/exe), absolute and clean.
std::optional<std::filesystem::path> runningExecutable();

// The running program's bundle and resources directories, or none.
std::optional<std::filesystem::path> findBundleDirectory();
std::optional<std::filesystem::path> findResourcesDirectory();

}  // namespace qvx
