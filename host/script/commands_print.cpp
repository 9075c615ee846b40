// Printing and keeping the print settings: `print [FILE...]` submits the
// job with the panel's settings to the session's queue through CUPS,
// `save-settings FILE` writes the settings so that --settings restores them,
// `save-defaults` makes the panel's choices the user's defaults for the
// queue, and `printer` tells which queue and description the session uses.
#include <limits>

#include "script/action_lines.h"
#include "script/command_table.h"
#include "session/host_session.h"

namespace pdehost {
namespace {

std::optional<PrintRequest> parsePrintRequest(const std::vector<std::string>& args, std::string* error) {
  PrintRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--copies") {
      std::optional<long long> copies = i + 1 < args.size() ? parseInteger(args[i + 1]) : std::nullopt;
      if (!copies || *copies < 1 || *copies > 9999) {
        *error = "--copies takes a number of copies from 1 to 9999";
        return std::nullopt;
      }
      request.copies = copies;
      ++i;
      continue;
    }
    request.files.emplace_back(args[i]);
  }
  return request;
}

CommandOutcome print(HostSession& session, const std::vector<std::string>& args) {
  std::string error;
  auto request = parsePrintRequest(args, &error);
  if (!request) return CommandOutcome::badScript(error);
  return printLine(printJob(session, *request), *request);
}

CommandOutcome saveDefaultsCommand(HostSession& session, const std::vector<std::string>&) {
  return saveDefaultsLine(saveDefaults(session));
}

CommandOutcome printer(HostSession& session, const std::vector<std::string>&) {
  return printerLine(describePrinter(session));
}

CommandOutcome saveSettings(HostSession& session, const std::vector<std::string>& args) {
  if (session.settings() == nullptr) return failedLine({FailureKind::noSettings, {}, {}});
  std::string error;
  if (!session.settings()->save(args[0], &error)) return CommandOutcome::failure(error);
  return CommandOutcome::result({{"file", args[0]}, {"entries", session.settings()->toJson().size()}});
}

}  // namespace

void addPrintCommands(CommandTable& table) {
  table.add({"print", "[--copies N] [FILE...]", 0, std::numeric_limits<std::size_t>::max(), print});
  table.add({"save-settings", "FILE", 1, 1, saveSettings});
  table.add({"save-defaults", "", 0, 0, saveDefaultsCommand});
  table.add({"printer", "", 0, 0, printer});
}

}  // namespace pdehost
