// Printing as a person or a script asks for it: the panel's settings as job
// options, checked against the description's constraints, sent with the
// files (or a test page) to the session's queue.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "actions/result.h"
#include "cups/print_job.h"

namespace pdehost {

class HostSession;

struct PrintRequest {
  std::vector<std::filesystem::path> files;  // none: a test page
  std::optional<long long> copies;
};

struct PrintReceipt {
  int job = 0;
  std::string printer;
  std::vector<JobOption> options;  // as sent, copies included
  std::vector<std::filesystem::path> files;  // the documents sent; none for a test page
  std::optional<Failure> warning;  // the job went, but the last used settings were not kept
};

// Why a job was not sent; for settings the description refuses, the
// choices at fault as well.
struct PrintRefusal {
  Failure failure;
  std::optional<ConflictCheck> check;
};

Result<PrintReceipt, PrintRefusal> printJob(HostSession& session, const PrintRequest& request);

// Why the session has no queue to print to.
Failure whyNoQueue(const HostSession& session);

}  // namespace pdehost
