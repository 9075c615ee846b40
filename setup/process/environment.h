// The process environment as name/value pairs, for handing on to a child.
#pragma once

#include <map>
#include <string>

namespace qvx {

// The entries (as in `environ`) as a map; an entry without "=" is skipped and
// the first of two entries with the same name wins, as getenv would answer.
std::map<std::string, std::string> environmentFromEntries(char** entries);

}  // namespace qvx
