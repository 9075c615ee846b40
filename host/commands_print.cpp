// Printing and keeping the print settings: `print [FILE]` submits the job
// with the panel's settings to the session's printer through CUPS, and
// `save-settings FILE` writes the settings so that --settings restores them.
#include <fstream>

#include "command_table.h"
#include "host_session.h"
#include "input_file.h"
#include "print_job.h"
#include "test_page.h"

namespace pdehost {
namespace {

using nlohmann::json;

json choicesJson(const std::vector<OptionChoice>& choices) {
  json out = json::array();
  for (const OptionChoice& c : choices) out.push_back({{"keyword", c.keyword}, {"choice", c.choice}});
  return out;
}

CommandOutcome print(HostSession& session, const std::vector<std::string>& args) {
  session.panel().shouldPrint();

  const std::optional<std::string> printer = session.callback().printSession()->currentPrinterID();
  if (!printer || printer->empty()) return CommandOutcome::failure("no printer to print to (name one with --printer)");

  std::vector<JobOption> options;
  if (session.settings() != nullptr) {
    std::string error;
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

  std::optional<TestPageFile> testPage;
  std::filesystem::path file;
  std::string title;
  if (args.empty()) {
    std::string error;
    testPage.emplace(*printer, &error);
    if (testPage->path().empty()) return CommandOutcome::failure(error);
    file = testPage->path();
    title = "pdehost test page";
  } else {
    file = args[0];
    if (auto notAFile = whyNotAFile(file)) return CommandOutcome::failure(*notAFile);
    if (!std::ifstream(file, std::ios::binary)) return CommandOutcome::failure(file.string() + ": cannot be opened");
    title = file.filename().string();
  }

  std::string error;
  const std::optional<int> job = submitJob(*printer, file, title, options, &error);
  if (!job) return CommandOutcome::failure(error);
  json sent = json::object();
  for (const JobOption& option : options) sent[option.name] = option.value;
  return CommandOutcome::result({{"job", *job}, {"printer", *printer}, {"options", sent}});
}

CommandOutcome saveSettings(HostSession& session, const std::vector<std::string>& args) {
  if (session.settings() == nullptr) return CommandOutcome::failure("the host has no print settings (--no-settings)");
  std::string error;
  if (!session.settings()->save(args[0], &error)) return CommandOutcome::failure(error);
  return CommandOutcome::result({{"file", args[0]}, {"entries", session.settings()->toJson().size()}});
}

}  // namespace

void addPrintCommands(CommandTable& table) {
  table.add({"print", "[FILE]", 0, 1, print});
  table.add({"save-settings", "FILE", 1, 1, saveSettings});
}

}  // namespace pdehost
