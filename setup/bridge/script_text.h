// The JavaScript text of one page call.
#pragma once

#include <string>
#include <string_view>

#include "bridge/script_batch.h"

namespace qvx {

// Appends a compact JSON array holding the one string: '"' and '\' escaped,
// '/' written as "\/", control characters escaped, everything else (non-ASCII
// included) as itself. Returns false, appending nothing, if the string is not
// valid UTF-8.
bool appendJsonArrayOfString(std::string& out, std::string_view text);

// "window." + function + ".apply(null, " + JSON array + ");", with the array
// of one empty string when the argument cannot be encoded.
std::string scriptText(std::string_view function, std::string_view argument);
// The same text, appended to `out`.
void appendScriptText(std::string& out, std::string_view function, std::string_view argument);

// One script that runs the scripts in order, each in a try block of its own, so
// that one that throws does not keep the next from running. A single script is
// returned as it is.
std::string batchScriptText(const ScriptBatch& scripts);

// Appends one script that makes the scripts' calls in order, each in a try
// block of its own, with the calls as data: a page runs that far more cheaply
// than thousands of statements, which it would first have to compile. False,
// with `out` partly written, if a script is not a call as scriptText makes it.
bool appendBatchCalls(std::string& out, const ScriptBatch& scripts);

}  // namespace qvx
