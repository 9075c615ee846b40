#include "actions/print_action.h"

#include "actions/page_actions.h"
#include "actions/preset_actions.h"
#include "cups/test_page.h"
#include "session/host_session.h"
#include "toolkit/whole_file.h"

namespace pdehost {
namespace {

// The choices at fault, each kind a clause, then that nothing was sent.
Failure refusedChoices(const ConflictCheck& check) {
  std::vector<Failure> clauses;
  if (!check.unknownChoices.empty())
    clauses.push_back({FailureKind::unknownChoices, {{"choices", describeChoices(check.unknownChoices)}}, {}});
  if (!check.conflicts.empty())
    clauses.push_back({FailureKind::conflictingOptions, {{"choices", describeChoices(check.conflicts)}}, {}});
  clauses.push_back({FailureKind::jobNotSent, {}, {}});
  Failure first = std::move(clauses.front());
  first.more.assign(std::make_move_iterator(clauses.begin() + 1), std::make_move_iterator(clauses.end()));
  return first;
}

std::string jobTitle(const std::vector<std::filesystem::path>& files) {
  std::string title = files.front().filename().string();
  if (files.size() > 1) title += " and " + std::to_string(files.size() - 1) + " more";
  return title;
}

}  // namespace

Failure whyNoQueue(const HostSession& session) {
  const PrinterInfo& printer = session.printer();
  return printer.problem ? *printer.problem : Failure{FailureKind::noPrinterChosen, {}, {}};
}

Result<PrintReceipt, PrintRefusal> printJob(HostSession& session, const PrintRequest& request) {
  auto refuse = [](Failure failure) { return PrintRefusal{std::move(failure), std::nullopt}; };
  session.panel().shouldPrint();

  // Without files named, the documents added in the dialog go.
  const std::vector<std::filesystem::path> named =
      request.files.empty() ? session.documents().paths() : request.files;
  // The pages asked for, checked against the documents that go (the test
  // page has one): a wrong range sends nothing.
  // Files named in a script are not counted, only checked.
  std::optional<int> longest;
  if (request.files.empty()) longest = session.documents().longestDocument().value_or(1);
  const page::ParsedRanges pages = pageRangesOf(session, longest);
  if (!pages.ok()) return refuse(because(rangeWords(*pages.error, "en")));

  // Every file is checked before anything is sent: one job holds them all.
  // Only regular files: a device or a FIFO would be spooled without end.
  for (const std::filesystem::path& file : named) {
    if (auto notAFile = toolkit::whyNotARegularFile(file)) return refuse(because(*notAFile));
  }
  const std::optional<std::string>& printer = session.printer().queue;
  if (!printer || printer->empty()) return refuse(whyNoQueue(session));

  std::string error;
  std::vector<JobOption> options;
  if (session.settings() != nullptr) {
    auto fromSettings = jobOptionsFromSettings(*session.settings(), &error);
    if (!fromSettings) return refuse(because(error));
    options = std::move(*fromSettings);
  }

  const ConflictCheck check = markJobOptions(session.ppd() != nullptr ? session.ppd()->file() : nullptr, options);
  if (!check.ok()) return PrintRefusal{refusedChoices(check), check};
  if (request.copies) options.push_back({"copies", std::to_string(*request.copies)});
  if (!pages.ranges.empty()) options.push_back({"page-ranges", page::pageRangesOption(pages.ranges)});

  toolkit::TemporaryFile testPage;
  std::vector<std::filesystem::path> files = named;
  std::string title;
  if (files.empty()) {
    testPage = writeTestPage(*printer, &error);
    if (!testPage) return refuse(because(error));
    files.push_back(testPage.path());
    title = "pdehost test page";
  } else {
    title = jobTitle(files);
  }

  Failure failure;
  const std::optional<int> job = submitJob(*printer, files, title, options, &failure);
  if (!job) return refuse(std::move(failure));
  PrintReceipt receipt{*job, *printer, std::move(options), named, std::nullopt};
  // The queue's "Last Used Settings" follow every job that was sent.
  if (!PresetStore::defaultRoot().empty() && session.settings() != nullptr) {
    if (!presetStoreOf(session).saveLastUsed(*printer, *session.settings(), &error))
      receipt.warning = Failure{FailureKind::lastUsedNotKept, {{"reason", error}}, {}};
  }
  return receipt;
}

}  // namespace pdehost
