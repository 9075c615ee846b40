#include "script/command_table.h"

#include <charconv>

namespace pdehost {

CommandOutcome CommandOutcome::result(nlohmann::json value) {
  CommandOutcome outcome;
  if (value.is_boolean()) outcome.yesNo = value.get<bool>();
  if (value.is_string()) outcome.text = value.get<std::string>();
  outcome.line["result"] = std::move(value);
  return outcome;
}

CommandOutcome CommandOutcome::refused(std::string why) {
  CommandOutcome outcome;
  outcome.carriedOut = false;
  outcome.line["ok"] = false;
  outcome.line["error"] = std::move(why);
  return outcome;
}

CommandOutcome CommandOutcome::badScript(std::string why) {
  CommandOutcome outcome;
  outcome.scriptError = std::move(why);
  return outcome;
}

CommandOutcome CommandOutcome::failure(std::string why) {
  CommandOutcome outcome = refused(std::move(why));
  outcome.failed = true;
  return outcome;
}

bool CommandTable::add(CommandSpec entry) {
  std::string name = entry.name;
  return commands_.emplace(std::move(name), std::move(entry)).second;
}

const CommandSpec* CommandTable::find(std::string_view name) const {
  auto found = commands_.find(name);
  return found == commands_.end() ? nullptr : &found->second;
}

std::vector<std::string> CommandTable::names() const {
  std::vector<std::string> out;
  for (const auto& [name, entry] : commands_) out.push_back(name);
  return out;
}

CommandTable standardCommands() {
  CommandTable table;
  addProtocolCommands(table);
  addUserCommands(table);
  addStateCommands(table);
  addPrintCommands(table);
  addPresetCommands(table);
  addPageCommands(table);
  addPreviewCommands(table);
  return table;
}

std::optional<std::vector<std::string>> splitCommandLine(std::string_view line, std::string* error) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) break;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t' && line[i] != '\r'))) {
      char c = line[i++];
      if (c == '"') {
        quoted = !quoted;
      } else if (quoted && c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
        word += line[i++];
      } else {
        word += c;
      }
    }
    if (quoted) {
      if (error != nullptr) *error = "a double quote is not closed";
      return std::nullopt;
    }
    words.push_back(std::move(word));
  }
  return words;
}

namespace {
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
}  // namespace

std::string firstWordOf(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && blank(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && !blank(line[end])) ++end;
  return std::string(line.substr(begin, end - begin));
}

std::string restAfterFirstWord(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && blank(line[i])) ++i;
  while (i < line.size() && !blank(line[i])) ++i;
  while (i < line.size() && blank(line[i])) ++i;
  std::size_t end = line.size();
  while (end > i && blank(line[end - 1])) --end;
  return std::string(line.substr(i, end - i));
}

std::optional<long long> parseInteger(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') return std::nullopt;
  long long value = 0;
  auto [stop, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace pdehost
