#include "ppd_adapter.h"

namespace ppdx {

bool markIfNoNewConflict(ppd_file_t* ppd, const std::string& keyword, const std::string& choice) {
  ppd_option_t* option = findOption(ppd, keyword.c_str());
  if (option == nullptr || findChoice(option, choice.c_str()) == nullptr) return false;
  ppd_choice_t* before = findMarkedChoice(ppd, keyword.c_str());
  const std::string previous = before != nullptr ? before->choice : option->defchoice;
  const int conflictsBefore = countConflicts(ppd);
  markOption(ppd, keyword.c_str(), choice.c_str());
  if (countConflicts(ppd) > conflictsBefore) {
    markOption(ppd, keyword.c_str(), previous.c_str());
    return false;
  }
  return true;
}

}  // namespace ppdx
