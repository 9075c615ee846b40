#include "session/host_options.h"

#include <functional>
#include <map>

namespace pdehost {
namespace fs = std::filesystem;

std::string hostUsage() {
  return "usage: pdehost [options] [SCRIPT]\n"
         "       pdehost --gui [options] [FILE...]\n"
         "Loads a print-dialog panel plug-in and drives it with the commands of SCRIPT\n"
         "(or standard input), one per line; each command prints one line of JSON.\n"
         "With --gui it shows the panel in a print dialog that prints the FILEs.\n"
         "  --plugin DIR      the plug-in bundle (default: TintPanel.plugin beside pdehost)\n"
         "  --ppd FILE        the printer description (default: the queue's own, from the\n"
         "                    CUPS server; the sample in the bundle when there is no queue)\n"
         "  --printer NAME    the CUPS queue (default: the user's default destination when\n"
         "                    it is an LX4200 queue, else the first LX4200 queue by name;\n"
         "                    empty: no printer)\n"
         "  --settings FILE   initial print settings, a JSON object (as save-settings\n"
         "                    writes it); entries that are not texts are kept as they are\n"
         "                    (default: the queue's defaults and the user's saved ones)\n"
         "  --no-settings     the host has no print settings\n"
         "  --no-constraints  the host offers no constraint handling\n"
         "  --type STRING     the extension type asked of the factory\n"
         "  --script FILE     the script to run; with --gui it runs first, to start from\n"
         "                    the state it leaves\n"
         "  --plain           \"show\" prints its picture of the panel as plain text\n"
         "  --gui             show the panel in a print dialog window\n"
         "  --help            this text\n";
}

std::optional<HostOptions> parseHostOptions(const std::vector<std::string>& args, std::string* error) {
  HostOptions options;
  auto fail = [&](const std::string& what) -> std::optional<HostOptions> {
    if (error != nullptr) *error = what;
    return std::nullopt;
  };
  // Options that take a value, and what they set.
  const std::map<std::string, std::function<void(const std::string&)>> withValue = {
      {"--plugin", [&](const std::string& v) { options.plugin = v; }},
      {"--ppd", [&](const std::string& v) { options.ppd = v; }},
      {"--printer", [&](const std::string& v) { options.printer = v; }},
      {"--settings", [&](const std::string& v) { options.settingsFile = v; }},
      {"--type", [&](const std::string& v) { options.type = v; }},
      {"--script", [&](const std::string& v) { options.script = v; }},
  };
  const std::map<std::string, std::function<void()>> flags = {
      {"--no-settings", [&] { options.noSettings = true; }},
      {"--no-constraints", [&] { options.noConstraints = true; }},
      {"--plain", [&] { options.plain = true; }},
      {"--gui", [&] { options.gui = true; }},
      {"--help", [&] { options.help = true; }},
      {"-h", [&] { options.help = true; }},
  };
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      std::string name = arg;
      std::optional<std::string> inlineValue;
      if (auto eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0) {
        name = arg.substr(0, eq);
        inlineValue = arg.substr(eq + 1);
      }
      if (auto option = withValue.find(name); option != withValue.end()) {
        if (!inlineValue) {
          if (i + 1 >= args.size()) return fail(name + " needs a value");
          inlineValue = args[++i];
        }
        if (name != "--printer" && inlineValue->empty()) return fail(name + " needs a value");
        option->second(*inlineValue);
        continue;
      }
      if (auto flag = flags.find(name); flag != flags.end() && !inlineValue) {
        flag->second();
        continue;
      }
      return fail("unknown option " + arg);
    }
    positional.push_back(arg);
  }
  if (options.gui) {
    options.documents.assign(positional.begin(), positional.end());
  } else if (!positional.empty()) {
    if (!options.script.empty() || positional.size() > 1)
      return fail("more than one script given: " + positional.back());
    options.script = positional.front();
  }
  if (options.settingsFile && options.noSettings) return fail("--settings and --no-settings exclude each other");
  return options;
}

fs::path defaultPluginBeside(const fs::path& program) {
  std::error_code ec;
  fs::path folder = program.parent_path();
  for (const fs::path& candidate : {folder / "TintPanel.plugin", folder / ".." / "panel" / "TintPanel.plugin",
                                    folder / ".." / "lib" / "TintPanel.plugin"}) {
    if (fs::is_directory(candidate, ec)) return fs::weakly_canonical(candidate, ec);
  }
  return {};
}

}  // namespace pdehost
