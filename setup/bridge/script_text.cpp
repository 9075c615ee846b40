#include "bridge/script_text.h"

#include <array>

#include "bridge/utf8.h"

namespace qvx {

namespace {

// For each byte: 0 when it stands as itself, else the letter of its short
// escape, or 'u' for the \u00XX form.
constexpr std::array<char, 256> makeEscapeTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = 'u';
  table['\b'] = 'b';
  table['\f'] = 'f';
  table['\n'] = 'n';
  table['\r'] = 'r';
  table['\t'] = 't';
  table['"'] = '"';
  table['\\'] = '\\';
  table['/'] = '/';
  return table;
}

constexpr std::array<char, 256> kEscape = makeEscapeTable();

}  // namespace

bool appendJsonArrayOfString(std::string& out, std::string_view text) {
  if (!isValidUtf8(text)) return false;
  out.reserve(out.size() + text.size() + 4);
  out += "[\"";
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char escape = kEscape[static_cast<unsigned char>(text[i])];
    if (escape == 0) continue;
    out.append(text.data() + runStart, i - runStart);
    runStart = i + 1;
    out += '\\';
    if (escape == 'u') {
      static constexpr char kHex[] = "0123456789abcdef";
      const auto byte = static_cast<unsigned char>(text[i]);
      out += "u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += escape;
    }
  }
  out.append(text.data() + runStart, text.size() - runStart);
  out += "\"]";
  return true;
}

std::string scriptText(std::string_view function, std::string_view argument) {
  static constexpr std::string_view kHead = "window.";
  static constexpr std::string_view kApply = ".apply(null, ";
  static constexpr std::string_view kTail = ");";
  std::string script;
  script.reserve(kHead.size() + function.size() + kApply.size() + argument.size() + 8 + kTail.size());
  script += kHead;
  script += function;
  script += kApply;
  if (!appendJsonArrayOfString(script, argument)) script += "[\"\"]";
  script += kTail;
  return script;
}

}  // namespace qvx
