#include "actions/page_actions.h"

#include "cups/print_job.h"
#include "ppd_adapter.h"
#include "page/page_words.h"
#include "session/host_session.h"
#include "store/queue_defaults.h"

namespace pdehost {
namespace {

ppd_file_t* ppdOf(const HostSession& session) { return session.ppd() != nullptr ? session.ppd()->file() : nullptr; }

// The description marked as the job would be: its defaults, then every
// choice of the print settings, the panel's and the page options alike.
void markSessionChoices(const HostSession& session) {
  std::vector<JobOption> options;
  if (session.settings() != nullptr) {
    for (const auto& [name, value] : textEntriesOf(*session.settings())) options.push_back({name, value});
  }
  markJobOptions(ppdOf(session), options);
}

}  // namespace

Result<documents::Document, documents::DocumentRefusal> addDocument(HostSession& session,
                                                                    const std::filesystem::path& path,
                                                                    std::string_view language) {
  documents::Inspection seen = documents::inspectDocument(path, language);
  if (!seen.document) return *seen.refusal;
  session.documents().add(*seen.document);
  return *seen.document;
}

void addCheckedDocument(HostSession& session, documents::Document document) {
  session.documents().add(std::move(document));
}

bool removeDocument(HostSession& session, std::size_t index) { return session.documents().remove(index); }

page::PageOptionModel pageOptions(HostSession& session) {
  markSessionChoices(session);
  return page::readPageOptions(ppdOf(session), page::panelKeywords());
}

std::optional<page::Refusal> choosePageOption(HostSession& session, const std::string& keyword,
                                              const std::string& choice, std::string_view language) {
  if (session.settings() == nullptr || ppdOf(session) == nullptr)
    return page::Refusal{page::ChoiceRefusal::UnknownOption,
                         page::pageWords(language, "the printer has no page option \"{}\"", {keyword})};
  markSessionChoices(session);
  auto refused = page::choosePageOption(ppdOf(session), page::panelKeywords(), keyword, choice, language);
  if (refused) return refused;
  // Kept under the description's own spelling of the keyword and choice.
  ppd_option_t* option = ppdx::findOption(ppdOf(session), keyword.c_str());
  ppd_choice_t* chosen = ppdx::findChoice(option, choice.c_str());
  session.settings()->setValue(option->keyword, chosen->choice, false);
  return std::nullopt;
}

std::string rangeWords(const page::RangeError& error, std::string_view language) {
  switch (error.problem) {
    case page::RangeProblem::NotAPageNumber:
      return page::pageWords(language, "\"{}\" is not a page number or a range such as 1-3, 5, 8-", {error.piece});
    case page::RangeProblem::Backwards:
      return page::pageWords(language, "\"{}\" runs backwards: write the lower page first", {error.piece});
    case page::RangeProblem::PastTheEnd:
      if (error.sheets) {
        return page::pageWords(language,
                               "\"{}\" starts after the last sheet (with several pages a sheet, ranges count sheets; "
                               "the longest document fills {})",
                               {error.piece, std::to_string(error.pages)});
      }
      return page::pageWords(language, "\"{}\" starts after the last page (the longest document has {} pages)",
                             {error.piece, std::to_string(error.pages)});
  }
  return {};
}

page::ParsedRanges pageRangesOf(const HostSession& session, std::optional<int> longestDocument) {
  // With several pages a sheet, CUPS applies page-ranges to the sheets it
  // makes, so a range past the last sheet would print nothing.
  const int perSheet = layoutOf(session).perSheet;
  const bool sheets = longestDocument && perSheet > 1;
  if (sheets) longestDocument = (*longestDocument + perSheet - 1) / perSheet;
  page::ParsedRanges parsed = page::parsePageRanges(session.pageRanges(), longestDocument);
  if (parsed.error && parsed.error->problem == page::RangeProblem::PastTheEnd) parsed.error->sheets = sheets;
  return parsed;
}

std::optional<std::string> setPageRanges(HostSession& session, const std::string& text, std::string_view language) {
  session.setPageRanges(text);
  const page::ParsedRanges parsed = pageRangesOf(session, session.documents().longestDocument());
  if (parsed.ok()) return std::nullopt;
  return rangeWords(*parsed.error, language);
}

page::PageLayout layoutOf(const HostSession& session) {
  page::PageLayout layout;
  if (session.settings() != nullptr) page::readLayoutOptions(textEntriesOf(*session.settings()), layout);
  const page::ParsedRanges pages = page::parsePageRanges(session.pageRanges());
  if (pages.ok()) layout.pages = pages.ranges;
  return layout;
}

void setLayout(HostSession& session, const page::PageLayout& layout) {
  if (session.settings() == nullptr) return;
  for (const auto& [name, value] : page::layoutJobOptions(layout, 2)) {
    if (page::isKeptLayoutOption(name)) session.settings()->setValue(name, value, false);
  }
}

}  // namespace pdehost
