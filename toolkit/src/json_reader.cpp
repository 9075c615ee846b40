#include "json_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "utf8/utf8.h"

namespace toolkit::json {

const Value* Value::find(std::string_view key) const {
  for (const Member& member : members) {
    if (member.key == key) return &member.value;
  }
  return nullptr;
}

static_assert(std::is_trivially_copyable_v<Value> && std::is_trivially_copyable_v<Member>,
              "values live in an arena that never runs destructors");

// A recursive-descent reader; each fault records the first place and stops.
// Elements and members collect on two stacks shared by every level and are
// copied into the arena, contiguous, when their container closes.
class Reader {
 public:
  Reader(std::string_view text, Document& document) : text_(text), doc_(document) {
    values_.reserve(64);
    members_.reserve(64);
  }

  bool readDocument(std::string* error) {
    if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;  // a byte-order mark some editors write
    skipSpace();
    bool ok = value(doc_.root_, 0);
    if (ok) {
      skipSpace();
      if (pos_ != text_.size()) ok = fail("text after the end of the document");
    }
    if (!ok && error != nullptr) *error = where() + ": " + what_;
    return ok;
  }

 private:
  bool fail(const char* what) {
    what_ = what;
    return false;
  }

  std::string where() const {
    std::size_t line = 1, lineStart = 0;
    const std::size_t end = std::min(pos_, text_.size());
    for (std::size_t i = 0; i < end; ++i) {
      if (text_[i] == '\n') {
        ++line;
        lineStart = i + 1;
      }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(end - lineStart + 1);
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }

  void skipSpace() {
    while (!atEnd()) {
      char c = peek();
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') break;
      ++pos_;
    }
  }

  bool value(Value& out, int depth) {
    if (atEnd()) return fail("a value is missing");
    switch (peek()) {
      case '{': return object(out, depth + 1);
      case '[': return array(out, depth + 1);
      case '"':
        out.kind = Kind::string;
        return string(out.text);
      case 't': return literal("true", out, Kind::boolean, true);
      case 'f': return literal("false", out, Kind::boolean, false);
      case 'n': return literal("null", out, Kind::null, false);
      default:
        if (peek() == '-' || (peek() >= '0' && peek() <= '9')) return number(out);
        return fail("not the start of a value");
    }
  }

  bool literal(std::string_view word, Value& out, Kind kind, bool truth) {
    if (text_.substr(pos_, word.size()) != word) return fail("not the start of a value");
    pos_ += word.size();
    out.kind = kind;
    out.boolean = truth;
    return true;
  }

  bool digits() {
    const std::size_t start = pos_;
    while (!atEnd() && peek() >= '0' && peek() <= '9') ++pos_;
    return pos_ > start;
  }

  bool number(Value& out) {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    if (atEnd() || peek() < '0' || peek() > '9') return fail("a number needs digits");
    if (peek() == '0') {
      ++pos_;
    } else {
      digits();
    }
    bool integral = true;
    if (!atEnd() && peek() == '.') {
      ++pos_;
      integral = false;
      if (!digits()) return fail("a number needs digits after the point");
    }
    if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
      ++pos_;
      integral = false;
      if (!atEnd() && (peek() == '+' || peek() == '-')) ++pos_;
      if (!digits()) return fail("a number needs digits in its exponent");
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    if (integral) {
      auto [end, ec] = std::from_chars(first, last, out.integer);
      if (ec == std::errc() && end == last) {
        out.kind = Kind::integer;
        return true;
      }
    }
    auto [end, ec] = std::from_chars(first, last, out.real);
    if (ec == std::errc::result_out_of_range && underflows(first, last)) {
      out.kind = Kind::real;
      out.real = *first == '-' ? -0.0 : 0.0;  // too small to tell from zero
      return true;
    }
    if (ec != std::errc() || end != last || !std::isfinite(out.real)) {
      pos_ = start;
      return fail("number out of range");
    }
    out.kind = Kind::real;
    return true;
  }

  // Whether a well-formed number whose value does not fit a double is tiny
  // rather than huge: its decimal magnitude (digits before the point, or
  // minus the zeros after it, plus the exponent) is negative.
  static bool underflows(const char* first, const char* last) {
    const char* p = first + (*first == '-' ? 1 : 0);
    long magnitude = 0;
    while (p != last && *p == '0') ++p;
    while (p != last && *p >= '0' && *p <= '9') ++p, ++magnitude;
    if (magnitude == 0 && p != last && *p == '.') {
      ++p;
      while (p != last && *p == '0') ++p, --magnitude;
    }
    while (p != last && *p != 'e' && *p != 'E') ++p;
    long exponent = 0;
    if (p != last) {
      ++p;
      const bool negative = *p == '-';
      if (*p == '+' || *p == '-') ++p;
      for (; p != last; ++p) exponent = std::min(exponent * 10 + (*p - '0'), 1000000L);
      if (negative) exponent = -exponent;
    }
    return magnitude + exponent < 0;
  }

  static int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  bool hex4(std::uint32_t& unit) {
    if (text_.size() - pos_ < 4) return fail("\\u needs four hexadecimal digits");
    unit = 0;
    for (int i = 0; i < 4; ++i) {
      int d = hexDigit(text_[pos_ + static_cast<std::size_t>(i)]);
      if (d < 0) return fail("\\u needs four hexadecimal digits");
      unit = unit * 16 + static_cast<std::uint32_t>(d);
    }
    pos_ += 4;
    return true;
  }

  bool string(std::string_view& out) {
    ++pos_;  // the opening quote
    const std::size_t start = pos_;
    std::string* decoded = nullptr;  // the scratch buffer, once an escape is seen
    std::size_t copiedUpTo = start;  // bytes before this are in `decoded`
    while (true) {
      if (atEnd()) return fail("a string is not closed");
      const unsigned char c = static_cast<unsigned char>(peek());
      if (c == '"') break;
      if (c < 0x20) return fail("a control character must be escaped in a string");
      if (c >= 0x80) {
        std::size_t length = qvx::utf8::sequenceLength(text_.substr(pos_));
        if (length == 0) return fail("a string is not valid UTF-8");
        pos_ += length;
        continue;
      }
      if (c != '\\') {
        ++pos_;
        continue;
      }
      if (decoded == nullptr) {
        decoded = &scratch_;
        decoded->clear();
      }
      decoded->append(text_.substr(copiedUpTo, pos_ - copiedUpTo));
      ++pos_;
      if (atEnd()) return fail("a string is not closed");
      const char e = peek();
      ++pos_;
      switch (e) {
        case '"': *decoded += '"'; break;
        case '\\': *decoded += '\\'; break;
        case '/': *decoded += '/'; break;
        case 'b': *decoded += '\b'; break;
        case 'f': *decoded += '\f'; break;
        case 'n': *decoded += '\n'; break;
        case 'r': *decoded += '\r'; break;
        case 't': *decoded += '\t'; break;
        case 'u': {
          std::uint32_t unit = 0;
          if (!hex4(unit)) return false;
          if (unit >= 0xDC00 && unit <= 0xDFFF) return fail("\\u escape of a lone low surrogate");
          if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(pos_, 2) != "\\u") return fail("\\u escape of a lone high surrogate");
            pos_ += 2;
            if (!hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return fail("\\u escape of a lone high surrogate");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          }
          qvx::utf8::append(*decoded, unit);
          break;
        }
        default:
          --pos_;
          return fail("unknown escape in a string");
      }
      copiedUpTo = pos_;
    }
    if (decoded == nullptr) {
      out = text_.substr(start, pos_ - start);
    } else {
      decoded->append(text_.substr(copiedUpTo, pos_ - copiedUpTo));
      out = copyToArena(*decoded);
    }
    ++pos_;  // the closing quote
    return true;
  }

  bool array(Value& out, int depth) {
    if (depth > Document::kMaxNesting) return fail("nested too deeply");
    ++pos_;
    const std::size_t first = values_.size();
    skipSpace();
    if (!atEnd() && peek() == ']') {
      ++pos_;
    } else {
      while (true) {
        Value element;
        if (!value(element, depth)) return false;
        values_.push_back(element);
        skipSpace();
        if (atEnd()) return fail("an array is not closed");
        if (peek() == ']') {
          ++pos_;
          break;
        }
        if (peek() != ',') return fail("expected ',' or ']' in an array");
        ++pos_;
        skipSpace();
      }
    }
    out.kind = Kind::array;
    out.elements = moveToArena(values_, first);
    return true;
  }

  bool object(Value& out, int depth) {
    if (depth > Document::kMaxNesting) return fail("nested too deeply");
    const std::size_t start = pos_;
    ++pos_;
    const std::size_t first = members_.size();
    skipSpace();
    if (!atEnd() && peek() == '}') {
      ++pos_;
    } else {
      while (true) {
        if (atEnd() || peek() != '"') return fail("expected a key in quotes");
        Member member;
        if (!string(member.key)) return false;
        skipSpace();
        if (atEnd() || peek() != ':') return fail("expected ':' after a key");
        ++pos_;
        skipSpace();
        if (!value(member.value, depth)) return false;
        members_.push_back(member);
        skipSpace();
        if (atEnd()) return fail("an object is not closed");
        if (peek() == '}') {
          ++pos_;
          break;
        }
        if (peek() != ',') return fail("expected ',' or '}' in an object");
        ++pos_;
        skipSpace();
      }
    }
    std::span<const Member> members(members_.data() + first, members_.size() - first);
    if (hasDuplicateKey(members)) {
      pos_ = start;
      return fail("an object gives the same key twice");
    }
    out.kind = Kind::object;
    out.members = moveToArena(members_, first);
    return true;
  }

  // Moves the items of `stack` from `first` on into the arena.
  template <typename T>
  std::span<const T> moveToArena(std::vector<T>& stack, std::size_t first) {
    const std::size_t count = stack.size() - first;
    if (count == 0) return {};
    void* block = doc_.arena_.allocate(count * sizeof(T), alignof(T));
    std::memcpy(block, stack.data() + first, count * sizeof(T));
    stack.resize(first);
    return {static_cast<const T*>(block), count};
  }

  std::string_view copyToArena(const std::string& text) {
    if (text.empty()) return {};
    char* block = static_cast<char*>(doc_.arena_.allocate(text.size(), 1));
    std::memcpy(block, text.data(), text.size());
    return {block, text.size()};
  }

  static bool hasDuplicateKey(std::span<const Member> members) {
    if (members.size() <= 16) {
      for (std::size_t i = 1; i < members.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
          if (members[i].key == members[j].key) return true;
        }
      }
      return false;
    }
    std::vector<std::string_view> keys;
    keys.reserve(members.size());
    for (const Member& m : members) keys.push_back(m.key);
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
  }

  std::string_view text_;
  Document& doc_;
  std::size_t pos_ = 0;
  const char* what_ = "";
  std::vector<Value> values_;
  std::vector<Member> members_;
  std::string scratch_;
};

bool read(std::string_view text, Document& document, std::string* error) {
  return Reader(text, document).readDocument(error);
}

}  // namespace toolkit::json
