// The engine's output protocol: one tagged line per event, turned into at most
// one call of a page function.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace qvx {

struct EngineCall {
  std::string_view function;  // "onStep", "onWarn", "onDone" or "onError"
  std::string_view argument;  // a view into the classified line
  bool isFinal;               // "@DONE" and "@ERROR " end the run's reporting
};

// Removes white space and line breaks from both ends: Unicode Zs, Zl and Zp,
// U+0009 to U+000D and U+0085. `text` must be valid UTF-8.
std::string_view trimEngineLine(std::string_view text);

// The byte offset just past the first `count` user-perceived characters
// (extended grapheme clusters) of valid UTF-8 text, or none if the text has
// fewer characters.
std::optional<std::size_t> offsetAfterCharacters(std::string_view text, std::size_t count);

// Trims the line and matches it against the tags "@STEP ", "@WARN ", "@DONE",
// "@ERROR " in that order. None for a line outside the protocol.
std::optional<EngineCall> classifyEngineLine(std::string_view line);

}  // namespace qvx
