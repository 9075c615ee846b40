#include "ppd_adapter.h"

// Every PPD function of libcups 2.4 is deprecated but still works; the warning
// is silenced for this file alone.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace ppdx {

ppd_option_t* findOption(ppd_file_t* ppd, const char* keyword) {
  return (ppd && keyword) ? ppdFindOption(ppd, keyword) : nullptr;
}

ppd_choice_t* findChoice(ppd_option_t* option, const char* choice) {
  return (option && choice) ? ppdFindChoice(option, choice) : nullptr;
}

ppd_choice_t* findMarkedChoice(ppd_file_t* ppd, const char* keyword) {
  return (ppd && keyword) ? ppdFindMarkedChoice(ppd, keyword) : nullptr;
}

ppd_attr_t* findAttr(ppd_file_t* ppd, const char* name, const char* specifier) {
  return (ppd && name) ? ppdFindAttr(ppd, name, specifier) : nullptr;
}

ppd_file_t* openFile(const char* path) { return path ? ppdOpenFile(path) : nullptr; }

void markDefaults(ppd_file_t* ppd) {
  if (ppd) ppdMarkDefaults(ppd);
}

void markOption(ppd_file_t* ppd, const char* keyword, const char* choice) {
  if (ppd && keyword && choice) ppdMarkOption(ppd, keyword, choice);
}

void close(ppd_file_t* ppd) {
  if (ppd) ppdClose(ppd);
}

}  // namespace ppdx
