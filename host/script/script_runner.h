// Runs a pdehost script: one command per line; blank lines and lines
// starting with "#" are skipped; each command prints one JSON line.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "script/command_table.h"

namespace pdehost {

class HostSession;

// A script file is read whole before it runs; a larger one is refused.
inline constexpr std::uintmax_t kLargestScriptFile = 64 * 1024 * 1024;

struct ScriptOutput {
  std::ostream& out;   // one JSON line per command
  std::ostream& err;   // messages for people
  bool plain = false;  // print a command's "text" lines as they are
};

// kExitOk, or kExitScriptError after reporting the first wrong line.
int runScript(std::istream& script, const std::string& scriptName, HostSession& session, const CommandTable& commands,
              ScriptOutput output);

// A JSON line as pdehost prints it (invalid UTF-8 replaced, never thrown).
std::string jsonLine(const nlohmann::json& value);

}  // namespace pdehost
