// The panel's option table is the one list of its keywords; only the
// keywords are taken from it here.
#include "page_options.h"
#include "panel_options.h"

namespace pdehost::page {

const std::vector<std::string>& panelKeywords() {
  static const std::vector<std::string> keywords = [] {
    std::vector<std::string> list;
    for (const PanelOption& row : kPanelOptions) list.emplace_back(row.keyword);
    return list;
  }();
  return keywords;
}

}  // namespace pdehost::page
