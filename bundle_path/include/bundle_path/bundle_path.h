// Where a program or library sits in a folder bundle: B/Contents/MacOS/NAME,
// its resources in B/Contents/Resources. The setup program, the toolkit and
// pdehost find their bundles with these rules and no others.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace qvx::bundle_path {

// B/Contents/MacOS, where a bundle's programs and libraries sit.
std::filesystem::path executablesFolder(const std::filesystem::path& bundle);
// B/Contents/Resources.
std::filesystem::path resourcesFolder(const std::filesystem::path& bundle);

// The bundle B of a program or library at B/Contents/MacOS/NAME, or none
// when it does not sit in that shape. With `extension` (".app"), B must also
// be named STEM.extension with a STEM. Path logic only: "." and ".." are
// resolved by name, links are not followed.
std::optional<std::filesystem::path> bundleOfExecutable(const std::filesystem::path& executable,
                                                        std::string_view extension = {});

// The running program's own file (from /proc/self/exe), absolute and clean,
// or none when the system does not say.
std::optional<std::filesystem::path> runningExecutable();

}  // namespace qvx::bundle_path
