// The main queue of the window program: tasks posted from any thread run on
// the thread of the GLib default main context, one after another, first in,
// first out, always later than the post (never inside it).
#pragma once

#include <glib.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace qvx {

class GlibMainQueue {
 public:
  using Task = std::function<void()>;

  GlibMainQueue();
  ~GlibMainQueue();
  GlibMainQueue(const GlibMainQueue&) = delete;
  GlibMainQueue& operator=(const GlibMainQueue&) = delete;

  // May be called from any thread.
  void post(Task task);

 private:
  // Shared with the idle source, which may still be pending when the queue goes.
  struct State {
    std::mutex mutex;
    std::deque<Task> tasks;
    bool scheduled = false;  // an idle source is attached and will drain the tasks
    bool closed = false;     // the queue is gone: drop whatever is left
  };
  static gboolean drain(gpointer data);

  std::shared_ptr<State> state_;
};

}  // namespace qvx
