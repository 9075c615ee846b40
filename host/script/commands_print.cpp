// Printing and keeping the print settings: `print [FILE...]` submits the
// job with the panel's settings to the session's queue through CUPS,
// `save-settings FILE` writes the settings so that --settings restores them,
// `save-defaults` makes the panel's choices the user's defaults for the
// queue, and `printer` tells which queue and description the session uses.
#include <limits>

#include "cups/print_job.h"
#include "cups/test_page.h"
#include "script/command_table.h"
#include "session/host_session.h"
#include "store/preset_store.h"
#include "store/queue_defaults.h"
#include "store/user_defaults.h"
#include "toolkit/whole_file.h"

namespace pdehost {
namespace {

using nlohmann::json;

json choicesJson(const std::vector<OptionChoice>& choices) {
  json out = json::array();
  for (const OptionChoice& c : choices) out.push_back({{"keyword", c.keyword}, {"choice", c.choice}});
  return out;
}

// Why the session cannot print: no queue, with what the lookup found.
std::string whyNoQueue(const HostSession& session) {
  const PrinterInfo& printer = session.printer();
  return printer.problem.empty() ? "no printer to print to (--printer is empty)" : printer.problem;
}

// `print [--copies N] [FILE...]`: the words split into files and copies.
struct PrintRequest {
  std::vector<std::filesystem::path> files;
  std::optional<long long> copies;
};

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
  session.panel().shouldPrint();

  // Every file is checked before anything is sent: one job holds them all.
  // Only regular files: a device or a FIFO would be spooled without end.
  for (const std::filesystem::path& file : request->files) {
    if (auto notAFile = toolkit::whyNotARegularFile(file)) return CommandOutcome::failure(*notAFile);
  }
  const std::optional<std::string>& printer = session.printer().queue;
  if (!printer || printer->empty()) return CommandOutcome::failure(whyNoQueue(session));

  std::vector<JobOption> options;
  if (session.settings() != nullptr) {
    auto fromSettings = jobOptionsFromSettings(*session.settings(), &error);
    if (!fromSettings) return CommandOutcome::failure(error);
    options = std::move(*fromSettings);
  }

  const ConflictCheck check = markJobOptions(session.ppd() != nullptr ? session.ppd()->file() : nullptr, options);
  if (!check.ok()) {
    std::string why;
    if (!check.unknownChoices.empty())
      why = "the printer description has no such choice: " + describeChoices(check.unknownChoices);
    if (!check.conflicts.empty())
      why += std::string(why.empty() ? "" : "; ") + "conflicting options: " + describeChoices(check.conflicts);
    CommandOutcome outcome = CommandOutcome::failure(why + "; the job was not sent");
    outcome.line["conflicts"] = choicesJson(check.conflicts);
    outcome.line["unknownChoices"] = choicesJson(check.unknownChoices);
    return outcome;
  }
  if (request->copies) options.push_back({"copies", std::to_string(*request->copies)});

  toolkit::TemporaryFile testPage;
  std::vector<std::filesystem::path> files = request->files;
  std::string title;
  if (files.empty()) {
    testPage = writeTestPage(*printer, &error);
    if (!testPage) return CommandOutcome::failure(error);
    files.push_back(testPage.path());
    title = "pdehost test page";
  } else {
    title = files.front().filename().string();
    if (files.size() > 1) title += " and " + std::to_string(files.size() - 1) + " more";
  }

  const std::optional<int> job = submitJob(*printer, files, title, options, &error);
  if (!job) return CommandOutcome::failure(error);
  json sent = json::object();
  for (const JobOption& option : options) sent[option.name] = option.value;
  json names = json::array();
  for (const std::filesystem::path& file : request->files) names.push_back(file.string());
  CommandOutcome outcome =
      CommandOutcome::result({{"job", *job}, {"printer", *printer}, {"options", sent}, {"files", names}});
  // The queue's "Last Used Settings" follow every job that was sent.
  if (const std::filesystem::path root = PresetStore::defaultRoot(); !root.empty() && session.settings() != nullptr) {
    PresetStore store(root, session.ppd() != nullptr ? session.ppd()->modelName() : "");
    if (!store.saveLastUsed(*printer, *session.settings(), &error))
      outcome.line["warning"] = "the last used settings were not kept: " + error;
  }
  return outcome;
}

// The panel's printer options become the user's defaults for the queue:
// what `lpoptions -p QUEUE` shows and every application prints with.
CommandOutcome saveDefaults(HostSession& session, const std::vector<std::string>&) {
  if (session.settings() == nullptr) return CommandOutcome::failure("the host has no print settings (--no-settings)");
  const std::optional<std::string>& printer = session.printer().queue;
  if (!printer || printer->empty()) return CommandOutcome::failure(whyNoQueue(session));
  if (session.ppd() == nullptr) return CommandOutcome::failure("no printer description to check the options with");
  // The panel's choices reach the print settings first.
  session.panel().shouldPrint();
  const OptionList chosen = printerOptionsIn(*session.ppd(), textEntriesOf(*session.settings()));
  std::string error;
  auto server = CupsServer::connect(&error);
  if (!server || !saveUserDefaults(*server, *printer, chosen, &error)) return CommandOutcome::failure(error);
  json saved = json::object();
  for (const auto& [name, value] : chosen) saved[name] = value;
  return CommandOutcome::result({{"printer", *printer}, {"saved", saved}});
}

CommandOutcome printer(HostSession& session, const std::vector<std::string>&) {
  const PrinterInfo& info = session.printer();
  json out = {{"queue", info.queue ? json(*info.queue) : json(nullptr)},
              {"source", info.source},
              {"server", info.server},
              {"queues", info.lx4200Queues}};
  if (!info.problem.empty()) out["problem"] = info.problem;
  return CommandOutcome::result(out);
}

CommandOutcome saveSettings(HostSession& session, const std::vector<std::string>& args) {
  if (session.settings() == nullptr) return CommandOutcome::failure("the host has no print settings (--no-settings)");
  std::string error;
  if (!session.settings()->save(args[0], &error)) return CommandOutcome::failure(error);
  return CommandOutcome::result({{"file", args[0]}, {"entries", session.settings()->toJson().size()}});
}

}  // namespace

void addPrintCommands(CommandTable& table) {
  table.add({"print", "[--copies N] [FILE...]", 0, std::numeric_limits<std::size_t>::max(), print});
  table.add({"save-settings", "FILE", 1, 1, saveSettings});
  table.add({"save-defaults", "", 0, 0, saveDefaults});
  table.add({"printer", "", 0, 0, printer});
}

}  // namespace pdehost
