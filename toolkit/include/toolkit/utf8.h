// The toolkit's name for the one UTF-8 helper (utf8/utf8.h), which the
// layouts, strings tables, PPD labels and host messages check against.
#pragma once

#include "utf8/utf8.h"

namespace toolkit {
namespace utf8 = qvx::utf8;
}  // namespace toolkit
