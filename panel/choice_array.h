// Lists of choice records made from a printer-description option, and
// look-ups in them by keyword.
#pragma once

#include <cups/ppd.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VemraPrintPdeLX4200COPDEChoice.h"
#include "pde_export.h"

using PDEChoiceArray = std::vector<PDEChoiceRef>;

// One record per choice of the option, in description order; null for a null
// option. The caller owns the array.
PDE_EXPORT std::unique_ptr<PDEChoiceArray> ArrayFromPPDOption(ppd_option_t* option);

// The first record whose keyword equals `keyword`; null for no keyword or no match.
PDE_EXPORT PDEChoiceRef FindChoiceForString(const std::optional<std::string>& keyword, const PDEChoiceArray* choices);

// The index of the first record whose keyword equals `keyword`; 0 for no
// keyword or an empty (or missing) array; the array's count when nothing matches.
PDE_EXPORT std::int64_t GetIndexForString(const std::optional<std::string>& keyword, const PDEChoiceArray* choices);
