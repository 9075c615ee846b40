#include "bridge/utf8.h"

#include <cstring>

namespace qvx {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Skips a run of ASCII eight bytes at a time; most engine output is ASCII.
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

bool isValidUtf8(std::string_view text) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    i += asciiPrefixLength(data + i, size - i);
    if (i >= size) break;
    const unsigned char lead = data[i];
    if (lead < 0xC2) return false;  // stray continuation byte or overlong two-byte form
    std::size_t length;
    unsigned char minSecond = 0x80;
    unsigned char maxSecond = 0xBF;
    if (lead < 0xE0) {
      length = 2;
    } else if (lead < 0xF0) {
      length = 3;
      if (lead == 0xE0) minSecond = 0xA0;  // overlong
      if (lead == 0xED) maxSecond = 0x9F;  // UTF-16 surrogates
    } else if (lead < 0xF5) {
      length = 4;
      if (lead == 0xF0) minSecond = 0x90;  // overlong
      if (lead == 0xF4) maxSecond = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (size - i < length) return false;
    if (data[i + 1] < minSecond || data[i + 1] > maxSecond) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (!isContinuation(data[i + k])) return false;
    }
    i += length;
  }
  return true;
}

char32_t decodeUtf8At(std::string_view text, std::size_t pos, std::size_t& length) {
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

char32_t decodeUtf8Before(std::string_view text, std::size_t end, std::size_t& length) {
  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t start = end - 1;
  while (start > 0 && isContinuation(data[start]) && end - start < 4) --start;
  const char32_t cp = decodeUtf8At(text, start, length);
  if (start + length != end) {
    length = 1;
    return 0xFFFD;
  }
  return cp;
}

}  // namespace qvx
