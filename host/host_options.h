// pdehost's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pdehost {

struct HostOptions {
  std::filesystem::path plugin;          // empty: the bundle beside the program
  std::filesystem::path ppd;             // empty: the sample inside the bundle
  std::optional<std::string> printer = "LX4200";  // none: the session has no printer
  std::optional<std::filesystem::path> settingsFile;
  bool noSettings = false;
  bool noConstraints = false;
  std::string type;                      // empty: the print-dialog extension type
  std::filesystem::path script;          // empty or "-": standard input
  bool plain = false;                    // show prints plain text lines
  bool gui = false;                      // the panel in a print dialog window
  bool help = false;
};

// Parses argv[1..]; none with `*error` set for a bad command line.
std::optional<HostOptions> parseHostOptions(const std::vector<std::string>& args, std::string* error);

std::string hostUsage();

// The plug-in bundle built or installed beside the program at `program`
// (its own path), or an empty path when there is none.
std::filesystem::path defaultPluginBeside(const std::filesystem::path& program);

}  // namespace pdehost
