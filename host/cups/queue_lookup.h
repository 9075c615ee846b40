// Asking the CUPS server which queue the dialog uses, with that queue's
// description and defaults: one connection, a few requests, each of which
// gives up when the server stops answering. Runs on any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cups/cups_server.h"
#include "toolkit/whole_file.h"

namespace pdehost {

// The printer the session uses, as the `printer` command reports it.
struct PrinterInfo {
  std::optional<std::string> queue;       // none: nothing to print to
  std::string source = "sample";          // where the description came from: server, file or sample
  std::string server;                     // the CUPS server asked
  std::vector<std::string> lx4200Queues;  // the queues to choose from, by name
  std::optional<Failure> problem;         // why there is no queue, or no description from it
};

struct QueueLookup {
  PrinterInfo printer;
  toolkit::TemporaryFile description;  // the queue's description, when asked for and found
  OptionList defaults;        // the queue's defaults with the user's saved ones
  bool unknownQueue = false;  // the queue asked for is not on the server
  bool descriptionFailed = false;  // the queue has a description that could not be read whole
};

// `requested`: the queue the person named, or none to choose as a print
// dialog does. With `wantDescription`, the chosen queue's description is
// copied from the server.
QueueLookup lookUpQueue(const std::optional<std::string>& requested, bool wantDescription);

}  // namespace pdehost
