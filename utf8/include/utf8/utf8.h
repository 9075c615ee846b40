// UTF-8 as engine output, page texts, layouts, strings tables, PPD labels and
// host messages need it. Well-formed means shortest forms only, no surrogates
// and nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qvx::utf8 {

// Length of the well-formed sequence at the start of `text` (1 for ASCII),
// or 0 when it is not one (or `text` is empty). Inline: parsers call it for
// every non-ASCII character.
inline std::size_t sequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// True when all of `text` is well-formed.
bool isValid(std::string_view text);

// Appends the code point `code` (at most U+10FFFF) encoded.
void append(std::string& out, char32_t code);

// Decodes the code point that starts at `pos` and stores its length in bytes
// in `length`. Meant for valid UTF-8; other bytes give some code point or
// U+FFFD, and nothing past the text is ever read.
char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t& length);

// Decodes the code point that ends just before `end` (1 <= end <= size) and
// stores its length in bytes in `length`; as safe as decodeAt.
char32_t decodeBefore(std::string_view text, std::size_t end, std::size_t& length);

}  // namespace qvx::utf8
