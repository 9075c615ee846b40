// The layout reader's JSON against nlohmann's on any bytes: both accept the
// same texts and read the same values. The layout reader is stricter in
// three documented ways only: an object giving a key twice, nesting deeper
// than its limit, and numbers too large for a double. (nlohmann also ends a
// text at a NUL byte, which the layout reader refuses like any stray byte.)
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "../src/json_reader.h"

namespace {

using toolkit::json::Kind;
using toolkit::json::Value;

[[noreturn]] void mismatch() { __builtin_trap(); }

bool sameNumber(double ours, double theirs) {
  if (ours == theirs) return true;
  return std::fabs(ours - theirs) <= 1e-12 * std::fabs(theirs);
}

// Whether nlohmann's tree holds something the layout reader refuses.
bool hasStricterFault(const nlohmann::json& value, int depth) {
  const bool container = value.is_array() || value.is_object();
  if (container && depth >= toolkit::json::Document::kMaxNesting) return true;
  if (value.is_number_float() && !std::isfinite(value.get<double>())) return true;
  if (value.is_array()) {
    for (const auto& element : value) {
      if (hasStricterFault(element, depth + 1)) return true;
    }
  }
  if (value.is_object()) {
    for (const auto& member : value.items()) {
      if (hasStricterFault(member.value(), depth + 1)) return true;
    }
  }
  return false;
}

void compare(const Value& ours, const nlohmann::json& theirs) {
  switch (ours.kind) {
    case Kind::null:
      if (!theirs.is_null()) mismatch();
      break;
    case Kind::boolean:
      if (!theirs.is_boolean() || theirs.get<bool>() != ours.boolean) mismatch();
      break;
    case Kind::integer:
      // nlohmann keeps non-negative integers unsigned.
      if (theirs.is_number_unsigned()) {
        if (ours.integer < 0 || theirs.get<std::uint64_t>() != static_cast<std::uint64_t>(ours.integer)) mismatch();
      } else if (!theirs.is_number_integer() || theirs.get<std::int64_t>() != ours.integer) {
        mismatch();
      }
      break;
    case Kind::real:
      if (!theirs.is_number() || !sameNumber(ours.real, theirs.get<double>())) mismatch();
      break;
    case Kind::string:
      if (!theirs.is_string() || theirs.get_ref<const std::string&>() != ours.text) mismatch();
      break;
    case Kind::array:
      if (!theirs.is_array() || theirs.size() != ours.elements.size()) mismatch();
      for (std::size_t i = 0; i < ours.elements.size(); ++i) compare(ours.elements[i], theirs[i]);
      break;
    case Kind::object:
      // nlohmann keeps one value per key; the layout reader refuses repeats.
      if (!theirs.is_object() || theirs.size() != ours.members.size()) mismatch();
      for (const auto& member : ours.members) {
        auto it = theirs.find(std::string(member.key));
        if (it == theirs.end()) mismatch();
        compare(member.value, *it);
      }
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  toolkit::json::Document document;
  std::string error;
  const bool ours = toolkit::json::read(text, document, &error);
  if (!ours && error.empty()) mismatch();  // a refusal always says why
  // A raw NUL byte is never JSON; nlohmann takes it for the end of the text.
  if (text.find('\0') != std::string_view::npos) {
    if (ours) mismatch();
    return 0;
  }

  nlohmann::json theirs = nlohmann::json::parse(text, nullptr, false);
  if (theirs.is_discarded()) {
    if (ours) mismatch();
    return 0;
  }
  if (ours) {
    compare(document.root(), theirs);
  } else if (error.find("same key twice") == std::string::npos && !hasStricterFault(theirs, 0)) {
    mismatch();
  }
  return 0;
}
