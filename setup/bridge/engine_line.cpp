#include "bridge/engine_line.h"

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>

#include <memory>

#include "utf8/utf8.h"

namespace qvx {

namespace {

bool isAsciiSpace(unsigned char byte) { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }

bool isTrimmedCodePoint(char32_t cp) {
  if (cp < 0x80) return isAsciiSpace(static_cast<unsigned char>(cp));
  if (cp == 0x85) return true;
  const auto type = u_charType(static_cast<UChar32>(cp));
  return type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

// One character break iterator per thread: opening one costs far more than
// using it, and the reader calls this for every line.
struct BreakIteratorCloser {
  void operator()(UBreakIterator* it) const { ubrk_close(it); }
};

UBreakIterator* characterBreakIterator() {
  thread_local std::unique_ptr<UBreakIterator, BreakIteratorCloser> iterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UBreakIterator* it = ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status);
    if (U_FAILURE(status)) it = nullptr;
    return std::unique_ptr<UBreakIterator, BreakIteratorCloser>(it);
  }();
  return iterator.get();
}

std::optional<std::size_t> offsetAfterCharactersIcu(std::string_view text, std::size_t count) {
  UBreakIterator* it = characterBreakIterator();
  if (it == nullptr) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  UText utext = UTEXT_INITIALIZER;
  utext_openUTF8(&utext, text.data(), static_cast<int64_t>(text.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  ubrk_setUText(it, &utext, &status);
  std::optional<std::size_t> offset;
  if (U_SUCCESS(status)) {
    int32_t boundary = ubrk_first(it);
    std::size_t seen = 0;
    while (seen < count && boundary != UBRK_DONE) {
      boundary = ubrk_next(it);
      if (boundary != UBRK_DONE) ++seen;
    }
    // With a UTF-8 UText the boundaries are byte offsets.
    if (seen == count) offset = static_cast<std::size_t>(boundary);
  }
  utext_close(&utext);
  return offset;
}

}  // namespace

std::string_view trimEngineLine(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end) {
    std::size_t length;
    const char32_t cp = utf8::decodeAt(text, begin, length);
    if (!isTrimmedCodePoint(cp)) break;
    begin += length;
  }
  while (end > begin) {
    std::size_t length;
    const char32_t cp = utf8::decodeBefore(text, end, length);
    if (!isTrimmedCodePoint(cp)) break;
    end -= length;
  }
  return text.substr(begin, end - begin);
}

std::optional<std::size_t> offsetAfterCharacters(std::string_view text, std::size_t count) {
  // Between two ASCII characters other than CR LF there is always a character
  // boundary, so when the first count+1 bytes are such, bytes are characters.
  const std::size_t probe = count < text.size() ? count + 1 : text.size();
  bool plainAscii = true;
  for (std::size_t i = 0; i < probe; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80 || byte == '\r') {
      plainAscii = false;
      break;
    }
  }
  if (plainAscii) {
    if (count <= text.size()) return count;
    return std::nullopt;
  }
  return offsetAfterCharactersIcu(text, count);
}

std::optional<EngineCall> classifyEngineLine(std::string_view line) {
  const std::string_view trimmed = trimEngineLine(line);
  if (trimmed.size() < 5 || trimmed[0] != '@') return std::nullopt;

  const auto afterCharacters = [&](std::size_t count) -> std::string_view {
    const auto offset = offsetAfterCharacters(trimmed, count);
    if (!offset || *offset >= trimmed.size()) return {};
    return trimmed.substr(*offset);
  };

  if (trimmed.starts_with("@STEP ")) return EngineCall{"onStep", afterCharacters(6), false};
  if (trimmed.starts_with("@WARN ")) return EngineCall{"onWarn", afterCharacters(6), false};
  // "@DONE" takes no blank: its argument is whatever follows the sixth
  // character, and nothing when the line is shorter than seven characters.
  if (trimmed.starts_with("@DONE")) return EngineCall{"onDone", afterCharacters(6), true};
  if (trimmed.starts_with("@ERROR ")) return EngineCall{"onError", afterCharacters(7), true};
  return std::nullopt;
}

}  // namespace qvx
