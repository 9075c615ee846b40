// The commands of a pdehost script: a table of named commands, each taking
// its words and answering one line of JSON. New commands are added by
// registering them; the reader and the dispatch stay as they are.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost {

class HostSession;

struct CommandOutcome {
  // Printed as the command's line (the dispatcher adds "command").
  nlohmann::json line = nlohmann::json::object();
  // Set when the script itself is wrong (bad argument): the run stops.
  std::optional<std::string> scriptError;

  static CommandOutcome result(nlohmann::json value);
  // A person could not do this (disabled control, ...): a JSON error line.
  static CommandOutcome refused(std::string why);
  static CommandOutcome badScript(std::string why);
  // The command could not do its work (a print that was not sent): a JSON
  // error line, and the run ends with a failure status.
  static CommandOutcome failure(std::string why);
  bool failed = false;
  // For a caller that acts on the answer rather than printing it: whether
  // the command was carried out (not refused, not failed), and its result
  // when that is a yes or no, or a text.
  bool carriedOut = true;
  std::optional<bool> yesNo;
  std::optional<std::string> text;
};

using CommandHandler = std::function<CommandOutcome(HostSession&, const std::vector<std::string>& args)>;

struct CommandSpec {
  std::string name;
  std::string arguments;  // for messages: "OUTLET INDEX"
  std::size_t minArgs = 0;
  std::size_t maxArgs = 0;
  CommandHandler run;
  // The command takes the rest of its line as it stands, blanks and quotes
  // included, as one argument (none when the rest is blank).
  bool restOfLine = false;
};

class CommandTable {
 public:
  // False when a command of that name exists already.
  bool add(CommandSpec entry);
  const CommandSpec* find(std::string_view name) const;
  std::vector<std::string> names() const;

 private:
  std::map<std::string, CommandSpec, std::less<>> commands_;
};

// The command groups; each lives in its own source.
void addProtocolCommands(CommandTable& table);  // panelName, restore, ...
void addUserCommands(CommandTable& table);      // select, click, slide, segment, tab
void addStateCommands(CommandTable& table);     // state, settings, show
void addPrintCommands(CommandTable& table);     // print, save-settings, save-defaults, printer
void addPresetCommands(CommandTable& table);    // presets, use-preset, save-preset, delete-preset
void addPreviewCommands(CommandTable& table);   // preview
void addPageCommands(CommandTable& table);      // documents, add-document, options, set, pages, ...

CommandTable standardCommands();

// Splits a script line into words at blanks; "double quotes" keep blanks in
// a word, with \" and \\ inside them. None, with `*error`, for an open quote.
std::optional<std::vector<std::string>> splitCommandLine(std::string_view line, std::string* error);

// The line's first word, and the text after it without the blanks around
// it, words being separated by blanks alone.
std::string firstWordOf(std::string_view line);
std::string restAfterFirstWord(std::string_view line);

// Parses a whole decimal integer ("-1", "12"); none for anything else.
std::optional<long long> parseInteger(std::string_view text);

}  // namespace pdehost
