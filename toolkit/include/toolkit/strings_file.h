// The ".strings" localisation table format: lines of "key" = "value"; with
// /* */ and // comments, the escapes \" \\ \n \t \r \uXXXX, in UTF-8 (a byte
// order mark is skipped) or UTF-16 with a byte order mark.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

using StringsTable = std::map<std::string, std::string, std::less<>>;

// The table, or none with `*error` (when given) saying what is wrong where.
// A key given twice keeps its last value.
std::optional<StringsTable> parseStrings(std::string_view data, std::string* error);
std::optional<StringsTable> loadStringsFile(const std::filesystem::path& path, std::string* error);

}  // namespace toolkit
