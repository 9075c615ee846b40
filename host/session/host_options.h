// pdehost's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pdehost {

struct HostOptions {
  std::filesystem::path plugin;          // empty: the bundle beside the program
  std::filesystem::path ppd;             // empty: the queue's own, or the bundle's sample
  // The CUPS queue: none to choose as a print dialog does (the user's
  // default destination when it is an LX4200 queue, else the first LX4200
  // queue by name); empty for no printer at all.
  std::optional<std::string> printer;
  std::optional<std::filesystem::path> settingsFile;
  bool noSettings = false;
  bool noConstraints = false;
  std::string type;                      // empty: the print-dialog extension type
  std::filesystem::path script;          // empty or "-": standard input
  std::vector<std::filesystem::path> documents;  // with --gui: the files to print
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
