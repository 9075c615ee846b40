// UTF-8 checks used on engine output and page texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qvx {

// True for well-formed UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF.
bool isValidUtf8(std::string_view text);

// Decodes the code point that starts at `pos` and stores its length in bytes
// in `length`. Meant for valid UTF-8; other bytes give some code point or
// U+FFFD, and nothing past the text is ever read.
char32_t decodeUtf8At(std::string_view text, std::size_t pos, std::size_t& length);

// Decodes the code point that ends just before `end` (1 <= end <= size) and
// stores its length in bytes in `length`; as safe as decodeUtf8At.
char32_t decodeUtf8Before(std::string_view text, std::size_t end, std::size_t& length);

}  // namespace qvx
