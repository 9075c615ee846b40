// Line classification, argument extraction and the script text of one engine
// output line. Beyond not crashing, checks that the argument is the tail of
// the trimmed line and that the script carries it intact as JSON.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "bridge/engine_line.h"
#include "bridge/script_text.h"
#include "utf8/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  // The reader hands over valid UTF-8 only; anything else must give the fallback text.
  if (!qvx::utf8::isValid(line)) {
    // Not what the reader hands over, but it must still be safe.
    (void)qvx::classifyEngineLine(line);
    if (qvx::scriptText("onStep", line) != R"(window.onStep.apply(null, [""]);)") std::abort();
    return 0;
  }
  const std::string_view trimmed = qvx::trimEngineLine(line);
  if (!qvx::utf8::isValid(trimmed)) std::abort();
  const auto call = qvx::classifyEngineLine(line);
  if (!call) return 0;

  const std::string_view argument = call->argument;
  if (argument.size() > trimmed.size() ||
      (!argument.empty() && trimmed.substr(trimmed.size() - argument.size()) != argument)) {
    std::abort();
  }
  if (!qvx::utf8::isValid(argument)) std::abort();

  const std::string script = qvx::scriptText(call->function, argument);
  const std::string head = "window." + std::string(call->function) + ".apply(null, ";
  if (script.rfind(head, 0) != 0 || script.size() < head.size() + 2 || script.substr(script.size() - 2) != ");") {
    std::abort();
  }
  if (script.find('\n') != std::string::npos) std::abort();
  const auto array = nlohmann::json::parse(script.substr(head.size(), script.size() - head.size() - 2), nullptr, false);
  if (!array.is_array() || array.size() != 1 || !array[0].is_string() || array[0].get<std::string>() != argument) {
    std::abort();
  }
  return 0;
}
