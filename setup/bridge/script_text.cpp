#include "bridge/script_text.h"

#include <array>

#include "utf8/utf8.h"

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
  if (!utf8::isValid(text)) return false;
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

void appendScriptText(std::string& out, std::string_view function, std::string_view argument) {
  static constexpr std::string_view kHead = "window.";
  static constexpr std::string_view kApply = ".apply(null, ";
  static constexpr std::string_view kTail = ");";
  out.reserve(out.size() + kHead.size() + function.size() + kApply.size() + argument.size() + 8 + kTail.size());
  out += kHead;
  out += function;
  out += kApply;
  if (!appendJsonArrayOfString(out, argument)) out += "[\"\"]";
  out += kTail;
}

std::string scriptText(std::string_view function, std::string_view argument) {
  std::string script;
  appendScriptText(script, function, argument);
  return script;
}

std::string batchScriptText(const ScriptBatch& scripts) {
  if (scripts.size() == 1) return std::string(scripts.script(0));
  std::string text;
  if (appendBatchCalls(text, scripts)) return text;
  static constexpr std::string_view kTry = "try{";
  static constexpr std::string_view kCatch = "}catch(e){}";  // the line feed follows
  text.clear();
  text.reserve(scripts.text.size() + scripts.size() * (kTry.size() + kCatch.size()));
  std::size_t begin = 0;
  for (const std::size_t end : scripts.ends) {
    text += kTry;
    text.append(scripts.text, begin, end - begin);
    text += kCatch;
    text += '\n';
    begin = end + 1;
  }
  return text;
}

namespace {

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// The text is `["..."]` as appendJsonArrayOfString writes it: no bare quote or
// control character inside, and no backslash that escapes the closing quote.
bool isJsonArrayOfString(std::string_view text) {
  if (text.size() < 4 || text.substr(0, 2) != "[\"" || text.substr(text.size() - 2) != "\"]") return false;
  const std::string_view inner = text.substr(2, text.size() - 4);
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const auto c = static_cast<unsigned char>(inner[i]);
    if (c < 0x20 || c == '"') return false;
    if (c == '\\' && ++i == inner.size()) return false;
  }
  return true;
}

// The argument's JSON text inside a single-quoted string literal.
void appendQuoted(std::string& out, std::string_view json) {
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < json.size(); ++i) {
    if (json[i] != '\\' && json[i] != '\'') continue;
    out.append(json.data() + runStart, i - runStart);
    out += '\\';
    runStart = i;
  }
  out.append(json.data() + runStart, json.size() - runStart);
}

}  // namespace

bool appendBatchCalls(std::string& out, const ScriptBatch& scripts) {
  static constexpr std::string_view kHead = "window.";
  static constexpr std::string_view kApply = ".apply(null, ";
  static constexpr std::string_view kTail = ");";
  // The calls as data, [["onStep",["a"]],...], in a string that the page
  // parses as JSON: the script stays a few dozen characters of code however
  // many calls it makes.
  out.reserve(out.size() + scripts.text.size() + scripts.text.size() / 8 + 96);
  out += "for(const[f,a]of JSON.parse('[";
  for (std::size_t i = 0; i < scripts.size(); ++i) {
    const std::string_view script = scripts.script(i);
    if (script.size() < kHead.size() + kApply.size() + kTail.size() || script.substr(0, kHead.size()) != kHead ||
        script.substr(script.size() - kTail.size()) != kTail) {
      return false;
    }
    const std::string_view call = script.substr(kHead.size(), script.size() - kHead.size() - kTail.size());
    const std::size_t apply = call.find(kApply);
    if (apply == 0 || apply == std::string_view::npos) return false;
    const std::string_view function = call.substr(0, apply);
    const std::string_view argument = call.substr(apply + kApply.size());
    for (const char c : function) {
      if (!isNameCharacter(c)) return false;
    }
    if (!isJsonArrayOfString(argument)) return false;
    if (i > 0) out += ',';
    out += "[\"";
    out += function;
    out += "\",";
    appendQuoted(out, argument);
    out += ']';
  }
  out += "]'))try{window[f].apply(null,a)}catch(e){}";
  return true;
}

}  // namespace qvx
