// Text in other encodings to UTF-8, through glibc's iconv.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qvx::utf8 {

// Converts the whole input from `encoding` (an iconv name such as "CP1252" or
// "UTF-16LE") or nothing: an invalid or incomplete sequence, or an encoding
// iconv does not know, fails.
std::optional<std::string> convertToUtf8(std::string_view input, const char* encoding);

}  // namespace qvx::utf8
