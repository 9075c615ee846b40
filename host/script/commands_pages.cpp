// The documents, the printer's page options and the layout from scripts:
// `documents`, `add-document FILE`, `remove-document N` (from 0),
// `options`, `set KEYWORD CHOICE`, `pages RANGE` (nothing: every page),
// `per-sheet N`, `orientation portrait|landscape`, `fit on|off` and
// `reverse on|off`. Refusals are error lines in English, as a person would
// have been refused in the window.
#include "actions/page_actions.h"
#include "page_json.h"
#include "script/command_table.h"
#include "session/host_session.h"

namespace pdehost {
namespace {

using nlohmann::json;

constexpr std::string_view kScriptLanguage = "en";

json documentsJson(const HostSession& session) {
  json list = json::array();
  const auto& documents = session.documents().documents();
  for (std::size_t i = 0; i < documents.size(); ++i) list.push_back(documents::documentJson(documents[i], i));
  return {{"documents", list}};
}

CommandOutcome listDocuments(HostSession& session, const std::vector<std::string>&) {
  return CommandOutcome::result(documentsJson(session));
}

CommandOutcome addDocumentCommand(HostSession& session, const std::vector<std::string>& args) {
  const auto added = addDocument(session, args[0], kScriptLanguage);
  if (!added) return CommandOutcome::refused(added.failure().words);
  return CommandOutcome::result(documents::documentJson(added.value(), session.documents().documents().size() - 1));
}

CommandOutcome removeDocumentCommand(HostSession& session, const std::vector<std::string>& args) {
  const std::optional<long long> index = parseInteger(args[0]);
  if (!index || *index < 0) return CommandOutcome::badScript("remove-document takes a document's number, from 0");
  if (!removeDocument(session, static_cast<std::size_t>(*index)))
    return CommandOutcome::refused("there is no document " + args[0]);
  return CommandOutcome::result(documentsJson(session));
}

CommandOutcome options(HostSession& session, const std::vector<std::string>&) {
  return CommandOutcome::result(page::optionsJson(pageOptions(session), kScriptLanguage));
}

CommandOutcome set(HostSession& session, const std::vector<std::string>& args) {
  if (auto refused = choosePageOption(session, args[0], args[1], kScriptLanguage))
    return CommandOutcome::refused(refused->words);
  return CommandOutcome::result({{"keyword", args[0]}, {"choice", args[1]}});
}

CommandOutcome pages(HostSession& session, const std::vector<std::string>& args) {
  const std::string text = args.empty() ? "" : args[0];
  if (auto wrong = setPageRanges(session, text, kScriptLanguage)) return CommandOutcome::refused(*wrong);
  return CommandOutcome::result({{"pages", text.empty() ? "all" : text}});
}

// The layout with one change, kept, and answered as a whole.
template <typename Change>
CommandOutcome changeLayout(HostSession& session, Change change) {
  page::PageLayout layout = layoutOf(session);
  change(layout);
  setLayout(session, layout);
  return CommandOutcome::result(page::layoutJson(layoutOf(session)));
}

std::optional<bool> onOff(const std::string& word) {
  if (word == "on") return true;
  if (word == "off") return false;
  return std::nullopt;
}

CommandOutcome perSheet(HostSession& session, const std::vector<std::string>& args) {
  const std::optional<long long> n = parseInteger(args[0]);
  if (!n || !page::isPagesPerSheet(static_cast<int>(*n)))
    return CommandOutcome::badScript("per-sheet takes 1, 2, 4, 6, 9 or 16");
  return changeLayout(session, [&](page::PageLayout& layout) { layout.perSheet = static_cast<int>(*n); });
}

CommandOutcome orientation(HostSession& session, const std::vector<std::string>& args) {
  const auto named = page::orientationNamed(args[0]);
  if (!named) return CommandOutcome::badScript("orientation takes portrait or landscape");
  return changeLayout(session, [&](page::PageLayout& layout) { layout.orientation = *named; });
}

CommandOutcome fit(HostSession& session, const std::vector<std::string>& args) {
  const auto on = onOff(args[0]);
  if (!on) return CommandOutcome::badScript("fit takes on or off");
  return changeLayout(session, [&](page::PageLayout& layout) { layout.fitToPage = *on; });
}

CommandOutcome reverse(HostSession& session, const std::vector<std::string>& args) {
  const auto on = onOff(args[0]);
  if (!on) return CommandOutcome::badScript("reverse takes on or off");
  return changeLayout(session, [&](page::PageLayout& layout) { layout.reverse = *on; });
}

}  // namespace

void addPageCommands(CommandTable& table) {
  table.add({"documents", "", 0, 0, listDocuments});
  table.add({"add-document", "FILE", 1, 1, addDocumentCommand, true});
  table.add({"remove-document", "N", 1, 1, removeDocumentCommand});
  table.add({"options", "", 0, 0, options});
  table.add({"set", "KEYWORD CHOICE", 2, 2, set});
  table.add({"pages", "[RANGE]", 0, 1, pages, true});
  table.add({"per-sheet", "N", 1, 1, perSheet});
  table.add({"orientation", "portrait|landscape", 1, 1, orientation});
  table.add({"fit", "on|off", 1, 1, fit});
  table.add({"reverse", "on|off", 1, 1, reverse});
}

}  // namespace pdehost
