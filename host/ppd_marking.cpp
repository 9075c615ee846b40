// Marking a job's options in the printer description and reading back the
// conflicts. The libcups PPD calls are deprecated but still work; this file
// alone silences that warning.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "print_job.h"

namespace pdehost {

ConflictCheck markJobOptions(ppd_file_t* ppd, const std::vector<JobOption>& options) {
  ConflictCheck check;
  if (ppd == nullptr) return check;
  ppdMarkDefaults(ppd);
  for (const JobOption& option : options) {
    ppd_option_t* found = ppdFindOption(ppd, option.name.c_str());
    if (found == nullptr) continue;  // not a description option: passed on as it is
    if (ppdFindChoice(found, option.value.c_str()) == nullptr) {
      check.unknownChoices.push_back({option.name, option.value});
      continue;
    }
    ppdMarkOption(ppd, option.name.c_str(), option.value.c_str());
  }
  if (ppdConflicts(ppd) > 0) {
    for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
      if (!option->conflicted) continue;
      ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option->keyword);
      check.conflicts.push_back({option->keyword, marked != nullptr ? marked->choice : option->defchoice});
    }
  }
  return check;
}

}  // namespace pdehost
