// Marking a job's options in the printer description and reading back the
// conflicts.
#include "cups/print_job.h"
#include "ppd_adapter.h"

namespace pdehost {

ConflictCheck markJobOptions(ppd_file_t* ppd, const std::vector<JobOption>& options) {
  ConflictCheck check;
  if (ppd == nullptr) return check;
  ppdx::markDefaults(ppd);
  for (const JobOption& option : options) {
    ppd_option_t* found = ppdx::findOption(ppd, option.name.c_str());
    if (found == nullptr) continue;  // not a description option: passed on as it is
    if (ppdx::findChoice(found, option.value.c_str()) == nullptr) {
      check.unknownChoices.push_back({option.name, option.value});
      continue;
    }
    ppdx::markOption(ppd, option.name.c_str(), option.value.c_str());
  }
  if (ppdx::countConflicts(ppd) > 0) {
    for (ppd_option_t* option : ppdx::conflictedOptions(ppd)) {
      ppd_choice_t* marked = ppdx::findMarkedChoice(ppd, option->keyword);
      check.conflicts.push_back({option->keyword, marked != nullptr ? marked->choice : option->defchoice});
    }
  }
  return check;
}

}  // namespace pdehost
