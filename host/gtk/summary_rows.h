// The lines of the dialog's summary pane, made from a panel's summaryInfo
// answer: a title and a value per line, in the answer's display order.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

namespace pdehost::gtk {

struct SummaryRow {
  std::string title;
  std::string value;
  bool operator==(const SummaryRow&) const = default;
};

// The titles listed under "Summary Display Order", each with its value (a
// text as it stands, anything else as JSON). Without a display order the
// entries follow in key order; a listed title with no entry shows an empty
// value. The answer is the panel's: nothing in it may stop the dialog.
std::vector<SummaryRow> summaryRows(const nlohmann::json& summaryInfo);

}  // namespace pdehost::gtk
