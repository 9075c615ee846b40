#include "toolkit/strings_file.h"


#include "utf8/conversion.h"
#include "utf8/utf8.h"
#include "toolkit/whole_file.h"

namespace toolkit {
namespace {

constexpr std::uintmax_t kMaxStringsFileSize = 4 * 1024 * 1024;

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<StringsTable> parse(std::string* error) {
    StringsTable table;
    while (true) {
      if (!skipSpaceAndComments()) return fail(error);
      if (atEnd()) break;
      std::string key, value;
      if (!token(key, "a key")) return fail(error);
      if (!skipSpaceAndComments()) return fail(error);
      if (peek() == ';') {
        // "key"; is shorthand for "key" = "key";
        value = key;
      } else {
        if (peek() != '=') {
          problem_ = "expected \"=\" after the key";
          return fail(error);
        }
        ++pos_;
        if (!skipSpaceAndComments()) return fail(error);
        if (!token(value, "a value")) return fail(error);
        if (!skipSpaceAndComments()) return fail(error);
      }
      if (peek() != ';') {
        problem_ = "expected \";\" after the value";
        return fail(error);
      }
      ++pos_;
      table.insert_or_assign(std::move(key), std::move(value));
    }
    return table;
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  std::optional<StringsTable> fail(std::string* error) const {
    if (error != nullptr) {
      std::size_t line = 1;
      for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
      *error = "line " + std::to_string(line) + ": " + problem_;
    }
    return std::nullopt;
  }

  bool skipSpaceAndComments() {
    while (!atEnd()) {
      char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "/*") {
        auto end = text_.find("*/", pos_ + 2);
        if (end == std::string_view::npos) {
          problem_ = "a comment is not closed";
          return false;
        }
        pos_ = end + 2;
      } else if (text_.substr(pos_, 2) == "//") {
        auto end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        break;
      }
    }
    return true;
  }

  static bool isBareChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '-' || c == '$' || c == '/' || c == ':';
  }

  bool token(std::string& out, const char* what) {
    if (peek() == '"') return quoted(out);
    std::size_t start = pos_;
    while (!atEnd() && isBareChar(text_[pos_])) ++pos_;
    if (pos_ == start) {
      problem_ = std::string("expected ") + what + " in double quotes";
      return false;
    }
    out.assign(text_.substr(start, pos_ - start));
    return true;
  }

  bool hex4(char32_t& code) {
    if (pos_ + 4 > text_.size()) return false;
    code = 0;
    for (int i = 0; i < 4; ++i) {
      char c = text_[pos_++];
      int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (d < 0) return false;
      code = code * 16 + static_cast<char32_t>(d);
    }
    return true;
  }

  bool quoted(std::string& out) {
    ++pos_;  // opening quote
    while (true) {
      if (atEnd()) {
        problem_ = "a quoted text is not closed";
        return false;
      }
      char c = text_[pos_++];
      if (c == '"') return true;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (atEnd()) {
        problem_ = "a quoted text is not closed";
        return false;
      }
      char e = text_[pos_++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '\'': out += '\''; break;
        case 'u':
        case 'U': {
          char32_t code;
          if (!hex4(code)) {
            problem_ = "\\u needs four hexadecimal digits";
            return false;
          }
          if (isHighSurrogate(code)) {
            char32_t low;
            if (text_.substr(pos_, 2) != "\\u" && text_.substr(pos_, 2) != "\\U") {
              problem_ = "an unpaired surrogate in \\u";
              return false;
            }
            pos_ += 2;
            if (!hex4(low) || !isLowSurrogate(low)) {
              problem_ = "an unpaired surrogate in \\u";
              return false;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (isLowSurrogate(code) || code == 0) {
            problem_ = "\\u names no character";
            return false;
          }
          qvx::utf8::append(out, code);
          break;
        }
        default:
          problem_ = std::string("unknown escape \\") + e;
          return false;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string problem_;
};

}  // namespace

std::optional<StringsTable> parseStrings(std::string_view data, std::string* error) {
  // A byte order mark names the encoding; without one the table is UTF-8.
  std::optional<std::string> converted;
  if (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF")) {
    converted = qvx::utf8::convertToUtf8(data.substr(2), data[0] == '\xFF' ? "UTF-16LE" : "UTF-16BE");
    if (!converted) {
      if (error != nullptr) *error = "not valid UTF-16";
      return std::nullopt;
    }
    data = *converted;
  } else if (data.starts_with("\xEF\xBB\xBF")) {
    data.remove_prefix(3);
  }
  if (!qvx::utf8::isValid(data)) {
    if (error != nullptr) *error = "not valid UTF-8";
    return std::nullopt;
  }
  if (data.find('\0') != std::string_view::npos) {
    if (error != nullptr) *error = "holds a NUL character";
    return std::nullopt;
  }
  return Parser(data).parse(error);
}

std::optional<StringsTable> loadStringsFile(const std::filesystem::path& path, std::string* error) {
  const auto data = readWholeFile(path, error, {kMaxStringsFileSize, "larger than a strings table can be", "cannot be read"});
  if (!data) return std::nullopt;
  std::string problem;
  auto table = parseStrings(*data, &problem);
  if (!table && error != nullptr) *error = path.string() + ": " + problem;
  return table;
}

}  // namespace toolkit
