#include "process/environment.h"

#include <cstring>

namespace qvx {

std::map<std::string, std::string> environmentFromEntries(char** entries) {
  std::map<std::string, std::string> result;
  for (char** entry = entries; entry && *entry; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (!equals) continue;
    result.emplace(std::string(*entry, static_cast<std::size_t>(equals - *entry)), std::string(equals + 1));
  }
  return result;
}

}  // namespace qvx
