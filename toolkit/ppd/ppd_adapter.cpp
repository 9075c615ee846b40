#include "ppd_adapter.h"

#include <cups/file.h>
#include <unistd.h>

// Every PPD function of libcups 2.4 is deprecated but still works; this is
// the one file that calls them, and the warning is silenced here alone.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// ppdOpenFile() keeps only the translations of libcups' own language; this
// libcups function, the one cupstestppd opens files with, keeps every
// language's. Exported by libcups 2 but declared only in its private header.
extern "C" {
enum PpdLocalization { kPpdLocalizationDefault, kPpdLocalizationIccProfiles, kPpdLocalizationNone, kPpdLocalizationAll };
ppd_file_t* _ppdOpenFile(const char* filename, PpdLocalization localization);
ppd_file_t* _ppdOpen(cups_file_t* fp, PpdLocalization localization);
}

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

ppd_file_t* openFileWithAllTranslations(const char* path) {
  return path ? _ppdOpenFile(path, kPpdLocalizationAll) : nullptr;
}

ppd_file_t* openDescriptorWithAllTranslations(int fd) {
  cups_file_t* file = cupsFileOpenFd(fd, "r");
  if (file == nullptr) {
    ::close(fd);
    return nullptr;
  }
  ppd_file_t* ppd = _ppdOpen(file, kPpdLocalizationAll);
  cupsFileClose(file);  // closes the descriptor too
  return ppd;
}

ppd_file_t* openDescriptor(int fd) {
  cups_file_t* file = cupsFileOpenFd(fd, "r");
  if (file == nullptr) {
    ::close(fd);
    return nullptr;
  }
  ppd_file_t* ppd = ppdOpen2(file);
  cupsFileClose(file);  // closes the descriptor too
  return ppd;
}

std::string lastError() {
  int line = 0;
  const ppd_status_t status = ppdLastError(&line);
  return std::string(ppdErrorString(status)) + " on line " + std::to_string(line);
}

void close(ppd_file_t* ppd) {
  if (ppd) ppdClose(ppd);
}

ppd_size_t* pageSize(ppd_file_t* ppd, const char* name) { return ppd ? ppdPageSize(ppd, name) : nullptr; }

void markDefaults(ppd_file_t* ppd) {
  if (ppd) ppdMarkDefaults(ppd);
}

void markOption(ppd_file_t* ppd, const char* keyword, const char* choice) {
  if (ppd && keyword && choice) ppdMarkOption(ppd, keyword, choice);
}

int countConflicts(ppd_file_t* ppd) { return ppd ? ppdConflicts(ppd) : 0; }

std::vector<ppd_option_t*> conflictedOptions(ppd_file_t* ppd) {
  std::vector<ppd_option_t*> conflicted;
  if (ppd == nullptr) return conflicted;
  for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
    if (option->conflicted) conflicted.push_back(option);
  }
  return conflicted;
}

std::vector<KeywordChoice> conflictsWith(ppd_file_t* ppd, const char* keyword, const char* choice) {
  std::vector<KeywordChoice> conflicts;
  if (ppd == nullptr || keyword == nullptr || choice == nullptr) return conflicts;
  cups_option_t* options = nullptr;
  const int count = cupsGetConflicts(ppd, keyword, choice, &options);
  for (int i = 0; i < count; ++i) conflicts.push_back({options[i].name, options[i].value});
  cupsFreeOptions(count, options);
  return conflicts;
}

}  // namespace ppdx
