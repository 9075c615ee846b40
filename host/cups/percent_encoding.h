// Any text as a name that is safe in a path: letters, digits, '-', '_' and
// the characters of `alsoPlain` as they are, every other byte as %XX, so
// two texts never give the same name.
#pragma once

#include <string>
#include <string_view>

namespace pdehost {

inline std::string percentEncoded(std::string_view text, std::string_view alsoPlain = {}) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || alsoPlain.find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

}  // namespace pdehost
