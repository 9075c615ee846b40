// The one layer over libcups' PPD interface, shared by the panel, pdehost and
// the fuzz host. libcups marks every PPD call deprecated; they all sit in
// ppd_adapter.cpp, so everything else builds with warnings as errors.
#pragma once

#include <cups/ppd.h>

#include <memory>
#include <string>
#include <vector>

namespace ppdx {

// Look-ups, the panel's whole use of a description. Each is null when an
// argument is.
ppd_option_t* findOption(ppd_file_t* ppd, const char* keyword);
ppd_choice_t* findChoice(ppd_option_t* option, const char* choice);
ppd_choice_t* findMarkedChoice(ppd_file_t* ppd, const char* keyword);
// The first attribute of that name (any specifier when `specifier` is null).
ppd_attr_t* findAttr(ppd_file_t* ppd, const char* name, const char* specifier);

// Opening, marking and closing belong to hosts and tests: the panel only
// reads a description that its host opened. Each open gives null when libcups
// rejects the file, and lastError() says why.
//
// With the translations of libcups' own language, which it takes from the
// locale alone.
ppd_file_t* openFile(const char* path);
// With the translations of every language, so that a host can follow the
// person's own list of languages.
ppd_file_t* openFileWithAllTranslations(const char* path);
// The same from an open descriptor, which it takes over and closes.
ppd_file_t* openDescriptorWithAllTranslations(int fd);
// Reads the description from an open descriptor, which is closed afterwards.
ppd_file_t* openDescriptor(int fd);
// "<libcups' message> on line <n>" for the last open that failed.
std::string lastError();
void close(ppd_file_t* ppd);

struct Closer {
  void operator()(ppd_file_t* ppd) const { close(ppd); }
};
using File = std::unique_ptr<ppd_file_t, Closer>;

void markDefaults(ppd_file_t* ppd);
// The paper of a PageSize choice (its marked one for null), in points, with
// its printable area; null when the description has no such size.
ppd_size_t* pageSize(ppd_file_t* ppd, const char* name);
void markOption(ppd_file_t* ppd, const char* keyword, const char* choice);
// Marks `choice` for `keyword` unless that adds a conflict with the marks
// already there; false, with the marks as they were, when the option or
// choice is unknown or the choice would conflict.
bool markIfNoNewConflict(ppd_file_t* ppd, const std::string& keyword, const std::string& choice);
// How many marked options conflict; libcups flags each one `conflicted`.
int countConflicts(ppd_file_t* ppd);
// The options that countConflicts() flagged, in the description's order.
std::vector<ppd_option_t*> conflictedOptions(ppd_file_t* ppd);

struct KeywordChoice {
  std::string keyword;
  std::string choice;
};
// The other options' choices, as marked now, that a UIConstraint (or a
// cupsUIConstraints rule) sets against `keyword` with `choice`: what would
// conflict if that choice were marked. Nothing is marked or changed.
std::vector<KeywordChoice> conflictsWith(ppd_file_t* ppd, const char* keyword, const char* choice);

}  // namespace ppdx
