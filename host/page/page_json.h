// The page options, the layout and the documents as scripts read them: one
// JSON value each, in the style of the other commands' lines.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "page_layout.h"
#include "page_options.h"

namespace pdehost::page {

// {"options":[{"keyword","text","control":"popup"|"checkbox","current",
//   "choices":[{"choice","text","notAllowed"?}]}],
//  "installed":[{"keyword","text","current","currentText"}]}
// with the reasons in `language`.
nlohmann::json optionsJson(const PageOptionModel& model, std::string_view language);

// {"pages":"1-3,5"|"all","perSheet":2,"orientation":"portrait",
//  "fit":false,"reverse":false,"collate":true}
nlohmann::json layoutJson(const PageLayout& layout);

}  // namespace pdehost::page
