// A print job as pdehost submits it: the print settings' text entries as job
// options, checked against the printer description's constraints, sent to a
// CUPS destination through libcups.
#pragma once

#include <cups/ppd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "failure/failure.h"
#include "store/print_settings.h"

namespace pdehost {

struct JobOption {
  std::string name;
  std::string value;
  bool operator==(const JobOption&) const = default;
};

// Every text entry of the settings as a job option, in key order; entries
// that are not texts are left out. None, with `*error`, when a key cannot be
// an IPP attribute name (the server would accept it and then fail to report
// the job's attributes).
std::optional<std::vector<JobOption>> jobOptionsFromSettings(const JsonPrintSettings& settings, std::string* error);

// Whether `name` is safe as a job option's name: a letter, then letters,
// digits, '-', '_' or '.'.
bool isJobOptionName(const std::string& name);

struct OptionChoice {
  std::string keyword;
  std::string choice;
  bool operator==(const OptionChoice&) const = default;
};

struct ConflictCheck {
  // Options that name a description option with a choice it does not have.
  std::vector<OptionChoice> unknownChoices;
  // The marked options that take part in a constraint, in keyword order.
  std::vector<OptionChoice> conflicts;
  bool ok() const { return unknownChoices.empty() && conflicts.empty(); }
};

// Marks the description's defaults and then every option that names one of
// its options, and asks libcups for the conflicts. The marks stay: they are
// the job's choices.
ConflictCheck markJobOptions(ppd_file_t* ppd, const std::vector<JobOption>& options);

// "VMSaveToner=True, VMCPPriority=Speed"
std::string describeChoices(const std::vector<OptionChoice>& choices);

// Submits the files as one job to a queue of the CUPS server the
// environment names (CUPS_SERVER, or the default); the server finds each
// file's type. The job id, or none with `*failure` set to what went wrong.
std::optional<int> submitJob(const std::string& destination, const std::vector<std::filesystem::path>& files,
                             const std::string& title, const std::vector<JobOption>& options, Failure* failure);

}  // namespace pdehost
