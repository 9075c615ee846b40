// A plain-text picture of a panel view as a person sees it: visible
// controls only, the selected tab's content only, row by row from the top.
#pragma once

#include <string>
#include <vector>

#include "toolkit/view.h"

namespace pdehost {

std::vector<std::string> outlinePanel(const toolkit::View& root);

}  // namespace pdehost
