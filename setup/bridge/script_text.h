// The JavaScript text of one page call.
#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Appends a compact JSON array holding the one string: '"' and '\' escaped,
// '/' written as "\/", control characters escaped, everything else (non-ASCII
// included) as itself. Returns false, appending nothing, if the string is not
// valid UTF-8.
bool appendJsonArrayOfString(std::string& out, std::string_view text);

// "window." + function + ".apply(null, " + JSON array + ");", with the array
// of one empty string when the argument cannot be encoded.
std::string scriptText(std::string_view function, std::string_view argument);

}  // namespace qvx
