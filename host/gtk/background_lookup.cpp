#include "background_lookup.h"

#include <glib.h>

#include <thread>

namespace pdehost::gtk {
namespace {

struct Delivery {
  QueueLookup lookup;
  std::function<void(QueueLookup)> done;
};

gboolean deliver(gpointer data) {
  auto* delivery = static_cast<Delivery*>(data);
  delivery->done(std::move(delivery->lookup));
  delete delivery;
  return G_SOURCE_REMOVE;
}

}  // namespace

void lookUpQueueInBackground(std::optional<std::string> requested, std::function<void(QueueLookup)> done) {
  std::thread([requested = std::move(requested), done = std::move(done)]() mutable {
    auto* delivery = new Delivery{lookUpQueue(requested, true), std::move(done)};
    // g_idle_add, not g_main_context_invoke: the latter runs the function
    // right here, on this thread, when the main thread is not iterating.
    g_idle_add(deliver, delivery);
  }).detach();
}

}  // namespace pdehost::gtk
