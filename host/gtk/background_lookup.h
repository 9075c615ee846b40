// Asking the CUPS server on a thread of its own, so the window stays live
// however slow the server is; the answer comes back on the main context.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "cups/queue_lookup.h"

namespace pdehost::gtk {

// Runs lookUpQueue(requested, true) on a new thread and calls `done` with
// its result from the GLib main context. The thread is not waited for: a
// program that quits meanwhile drops the answer.
void lookUpQueueInBackground(std::optional<std::string> requested, std::function<void(QueueLookup)> done);

}  // namespace pdehost::gtk
