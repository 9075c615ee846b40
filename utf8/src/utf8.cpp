#include "utf8/utf8.h"

#include <cstdint>
#include <cstring>

namespace qvx::utf8 {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Skips a run of ASCII eight bytes at a time; most texts are mostly ASCII.
std::size_t asciiPrefixLength(const unsigned char* data, std::size_t size) {
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    if (word & 0x8080808080808080ULL) break;
  }
  while (i < size && data[i] < 0x80) ++i;
  return i;
}

}  // namespace

bool isValid(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (true) {
    i += asciiPrefixLength(data + i, text.size() - i);
    if (i >= text.size()) return true;
    const std::size_t length = sequenceLength(text.substr(i));
    if (length == 0) return false;
    i += length;
  }
}

void append(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char lead = data[pos];
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  char32_t cp;
  if (lead < 0xE0) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead < 0xF0) {
    length = 3;
    cp = lead & 0x0F;
  } else {
    length = 4;
    cp = lead & 0x07;
  }
  if (length > text.size() - pos) {
    // Cut short: never read past the text, whatever it holds.
    length = 1;
    return 0xFFFD;
  }
  for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (data[pos + k] & 0x3F);
  return cp;
}

char32_t decodeBefore(std::string_view text, std::size_t end, std::size_t& length) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t start = end - 1;
  while (start > 0 && isContinuation(data[start]) && end - start < 4) --start;
  const char32_t cp = decodeAt(text, start, length);
  if (start + length != end) {
    length = 1;
    return 0xFFFD;
  }
  return cp;
}

}  // namespace qvx::utf8
