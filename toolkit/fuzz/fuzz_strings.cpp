// Any bytes as a strings table: either a table of valid UTF-8 texts or a
// clear error, never a crash.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "toolkit/strings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  auto table = toolkit::parseStrings(std::string_view(reinterpret_cast<const char*>(data), size), &error);
  if (!table) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  // Every key and value must be valid UTF-8: a strict JSON dump checks it.
  nlohmann::json all = nlohmann::json::object();
  for (const auto& [key, value] : *table) all[key] = value;
  (void)all.dump();
  return 0;
}
