#include "glib_main_queue.h"

#include <utility>
#include <vector>

namespace qvx {

GlibMainQueue::GlibMainQueue() : state_(std::make_shared<State>()) {}

GlibMainQueue::~GlibMainQueue() {
  std::lock_guard lock(state_->mutex);
  state_->closed = true;
  state_->tasks.clear();
}

void GlibMainQueue::post(Task task) {
  bool schedule = false;
  {
    std::lock_guard lock(state_->mutex);
    if (state_->closed) return;
    state_->tasks.push_back(std::move(task));
    schedule = !std::exchange(state_->scheduled, true);
  }
  if (!schedule) return;
  // One idle source drains everything queued, so the order is the order of
  // posting however many tasks pile up, and each post costs no source of its own.
  auto* keep = new std::shared_ptr<State>(state_);
  g_idle_add_full(
      G_PRIORITY_DEFAULT, &GlibMainQueue::drain, keep,
      [](gpointer data) { delete static_cast<std::shared_ptr<State>*>(data); });
}

gboolean GlibMainQueue::drain(gpointer data) {
  auto& state = *static_cast<std::shared_ptr<State>*>(data);
  std::deque<Task> batch;
  {
    std::lock_guard lock(state->mutex);
    batch.swap(state->tasks);
    if (batch.empty() || state->closed) {
      state->scheduled = false;
      return G_SOURCE_REMOVE;
    }
  }
  // Tasks posted while this batch runs wait for the next round of the loop, so
  // a busy engine cannot keep the main thread from drawing or handling input.
  for (auto& task : batch) task();
  return G_SOURCE_CONTINUE;
}

}  // namespace qvx
