// The one place that calls libcups' PPD interface. libcups marks every PPD call
// deprecated; keeping them behind these wrappers lets the rest of the panel
// build with warnings as errors.
#pragma once

#include <cups/ppd.h>

namespace ppdx {

ppd_option_t* findOption(ppd_file_t* ppd, const char* keyword);
ppd_choice_t* findChoice(ppd_option_t* option, const char* choice);
ppd_choice_t* findMarkedChoice(ppd_file_t* ppd, const char* keyword);
// The first attribute of that name (any specifier when `specifier` is null).
ppd_attr_t* findAttr(ppd_file_t* ppd, const char* name, const char* specifier);

// Opening, marking and closing belong to hosts and tests: the panel only reads
// a description that its host opened.
ppd_file_t* openFile(const char* path);
void markDefaults(ppd_file_t* ppd);
void markOption(ppd_file_t* ppd, const char* keyword, const char* choice);
void close(ppd_file_t* ppd);

}  // namespace ppdx
