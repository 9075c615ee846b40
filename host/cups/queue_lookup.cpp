#include "cups/queue_lookup.h"

#include <algorithm>

namespace pdehost {

QueueLookup lookUpQueue(const std::optional<std::string>& requested, bool wantDescription) {
  QueueLookup lookup;
  lookup.printer.server = CupsServer::name();
  Failure failure;
  auto server = CupsServer::connect(&failure);
  if (!server) {
    lookup.printer.problem = failure;
    lookup.printer.queue = requested;
    return lookup;
  }
  auto destinations = listDestinations(*server, &failure);
  if (!destinations) {
    lookup.printer.problem = failure;
    lookup.printer.queue = requested;
    return lookup;
  }
  std::vector<QueueInfo> queues;
  for (const Destination& destination : *destinations) queues.push_back(destination.queue);
  QueueChoice choice = chooseQueue(queues, requested);
  lookup.printer.lx4200Queues = choice.lx4200Queues;
  if (choice.failure) {
    lookup.unknownQueue = true;
    lookup.printer.problem = choice.failure;
    return lookup;
  }
  if (!choice.queue) {
    lookup.printer.problem = noQvxPrinter();
    return lookup;
  }
  lookup.printer.queue = choice.queue;
  auto chosen = std::find_if(destinations->begin(), destinations->end(),
                             [&](const Destination& d) { return d.queue.name == *choice.queue; });
  lookup.defaults = chosen->options;
  if (wantDescription) {
    // A queue without a description (a driverless one) still prints; the
    // panel then shows the bundle's sample.
    FetchedDescription fetched = fetchDescription(*server, *choice.queue, &failure);
    if (fetched.file) {
      lookup.description = std::move(fetched.file);
      lookup.printer.source = "server";
    } else {
      lookup.printer.problem = failure;
      // Printing with a description cut short, or with the sample in its
      // place, would check the job against the wrong constraints.
      lookup.descriptionFailed = !fetched.missing;
    }
  }
  return lookup;
}

}  // namespace pdehost
