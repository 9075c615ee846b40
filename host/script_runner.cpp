#include "script_runner.h"

#include <istream>
#include <ostream>

#include "host_session.h"

namespace pdehost {

std::string jsonLine(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

int runScript(std::istream& script, const std::string& scriptName, HostSession& session, const CommandTable& commands,
              ScriptOutput output) {
  std::string line;
  std::size_t number = 0;
  bool anyFailed = false;
  auto scriptError = [&](const std::string& what) {
    output.err << "pdehost: " << scriptName << ":" << number << ": " << what << "\n";
    output.err.flush();
    return kExitScriptError;
  };
  while (std::getline(script, line)) {
    ++number;
    std::string error;
    auto words = splitCommandLine(line, &error);
    if (!words) return scriptError(error);
    if (words->empty() || (*words)[0].rfind('#', 0) == 0) continue;
    const std::string& name = (*words)[0];
    const CommandSpec* entry = commands.find(name);
    if (entry == nullptr) return scriptError("unknown command \"" + name + "\"");
    std::vector<std::string> args(words->begin() + 1, words->end());
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
      for (const auto& problem : problems) output.err << "pdehost: " << problem << "\n";
    }
    if (printed.contains("error") && printed["error"].is_string() && printed.value("ok", true) == false)
      output.err << "pdehost: " << name << " refused: " << printed["error"].get<std::string>() << "\n";
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
