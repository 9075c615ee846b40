// Each kind of failure of pdehost's core worded in the dialog's languages:
// English as scripts read it, German and Portuguese here, each kind once per
// language with the same named holes. Plain C++, tested without a display.
#pragma once

#include <string>
#include <string_view>

#include "failure/failure.h"

namespace pdehost::gtk {

// The kind's wording in `language` ("en", "de" or "pt"), English for any
// other language; empty when that language's table lacks the kind.
std::string_view failureWording(FailureKind kind, std::string_view language);

// The whole failure in the dialog's language.
std::string wordedForDialog(const Failure& failure);

}  // namespace pdehost::gtk
