// A small, strict JSON reader for layout files.
//
// Layouts are read every time a panel is created, so this reader builds a
// flat, read-only tree in one arena (values are trivially copyable and never
// destroyed one by one), and strings without escapes point into the text,
// which must outlive the document.
//
// It accepts RFC 8259 JSON in UTF-8 (after an optional byte-order mark) and,
// beyond the grammar, refuses an object that gives the same key twice,
// nesting deeper than kMaxNesting and numbers too large for a double, so a
// hostile file can neither hide a value nor exhaust the stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace toolkit::json {

enum class Kind : std::uint8_t { null, boolean, integer, real, string, array, object };

struct Member;

struct Value {
  Kind kind = Kind::null;
  bool boolean = false;
  std::int64_t integer = 0;  // for Kind::integer
  double real = 0;           // for Kind::real
  std::string_view text;     // for Kind::string, escapes decoded
  std::span<const Value> elements;
  std::span<const Member> members;  // in the order of the text

  bool isString() const { return kind == Kind::string; }
  bool isBoolean() const { return kind == Kind::boolean; }
  bool isInteger() const { return kind == Kind::integer; }
  bool isNumber() const { return kind == Kind::integer || kind == Kind::real; }
  bool isArray() const { return kind == Kind::array; }
  bool isObject() const { return kind == Kind::object; }
  double number() const { return kind == Kind::integer ? static_cast<double>(integer) : real; }
  // The member named `key` of an object; null when absent or not an object.
  const Value* find(std::string_view key) const;
};

struct Member {
  std::string_view key;
  Value value;
};

// Owns what the values of a document point to (besides the text itself).
class Document {
 public:
  static constexpr int kMaxNesting = 256;

  Document() : arena_(4096) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  const Value& root() const { return root_; }

 private:
  friend class Reader;
  Value root_;
  std::pmr::monotonic_buffer_resource arena_;
};

// Reads `text` into `document`. On a fault returns false and sets `*error`
// to "line L, column C: what" (columns count bytes from 1).
bool read(std::string_view text, Document& document, std::string* error);

}  // namespace toolkit::json
