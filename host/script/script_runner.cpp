#include "script/script_runner.h"

#include <istream>
#include <ostream>
#include <string_view>

#include "session/host_session.h"
#include "utf8/utf8.h"

namespace pdehost {
namespace {

// A message as people can read it in a terminal: control characters and
// bytes that are not UTF-8 (a script line may hold anything) written as
// \xNN, and a message of more than a few lines cut short (the JSON line
// keeps it whole).
std::string printable(std::string_view message) {
  constexpr std::size_t kLongest = 1000;
  std::string out;
  std::size_t i = 0;
  while (i < message.size() && out.size() < kLongest) {
    const auto c = static_cast<unsigned char>(message[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += message[i++];
    } else if (std::size_t n = c >= 0x80 ? qvx::utf8::sequenceLength(message.substr(i)) : 0; n > 0) {
      out.append(message.substr(i, n));
      i += n;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      ++i;
    }
  }
  if (i < message.size()) out += "... (" + std::to_string(message.size()) + " bytes in all)";
  return out;
}

}  // namespace

std::string jsonLine(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

int runScript(std::istream& script, const std::string& scriptName, HostSession& session, const CommandTable& commands,
              ScriptOutput output) {
  std::string line;
  std::size_t number = 0;
  bool anyFailed = false;
  auto scriptError = [&](const std::string& what) {
    output.err << "pdehost: " << printable(scriptName) << ":" << number << ": " << printable(what) << "\n";
    output.err.flush();
    return kExitScriptError;
  };
  while (std::getline(script, line)) {
    ++number;
    // A command that takes the rest of its line is found by its first
    // word alone: the rest may hold anything, an odd quote included.
    std::string error;
    std::vector<std::string> args;
    std::string name;
    const CommandSpec* entry = nullptr;
    if (const CommandSpec* whole = commands.find(firstWordOf(line)); whole != nullptr && whole->restOfLine) {
      entry = whole;
      name = entry->name;
      const std::string rest = restAfterFirstWord(line);
      if (!rest.empty()) args.push_back(rest);
    } else {
      auto words = splitCommandLine(line, &error);
      if (!words) return scriptError(error);
      if (words->empty() || (*words)[0].rfind('#', 0) == 0) continue;
      name = (*words)[0];
      entry = commands.find(name);
      if (entry == nullptr) return scriptError("unknown command \"" + name + "\"");
      args.assign(words->begin() + 1, words->end());
    }
    if (args.size() < entry->minArgs || args.size() > entry->maxArgs) {
      return scriptError(name + " takes " + (entry->arguments.empty() ? std::string("no arguments") : entry->arguments));
    }
    CommandOutcome outcome = entry->run(session, args);
    if (outcome.scriptError) return scriptError(*outcome.scriptError);
    anyFailed = anyFailed || outcome.failed;

    nlohmann::json printed = {{"command", name}};
    printed.update(outcome.line);
    auto problems = session.takeNewProblems();
    if (!problems.empty()) {
      printed["problems"] = problems;
      for (const auto& problem : problems) output.err << "pdehost: " << printable(problem) << "\n";
    }
    if (printed.contains("error") && printed["error"].is_string() && printed.value("ok", true) == false)
      output.err << "pdehost: " << name << " refused: " << printable(printed["error"].get<std::string>()) << "\n";
    if (output.plain && printed.contains("text") && printed["text"].is_array()) {
      for (const auto& text : printed["text"]) output.out << text.get<std::string>() << "\n";
    } else {
      output.out << jsonLine(printed) << "\n";
    }
    output.out.flush();
    output.err.flush();
  }
  return anyFailed ? kExitCommandFailed : kExitOk;
}

}  // namespace pdehost
