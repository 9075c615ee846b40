// The longest stall of a GLib main loop while the preview renders: a 1 ms
// timeout stands in for the window's frames, every sheet of a document is
// asked for in turn as a person paging through it would, and each result is
// handed to the loop as a window's would be. Prints one JSON line.
//   preview_loop_gaps SAMPLE.pdf   (a sample from preview_bench --write-sample)
#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "preview_renderer.h"

using namespace pdehost::preview;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
  GMainLoop* loop = nullptr;
  PreviewRenderer* renderer = nullptr;
  PreviewJob job;
  Clock::time_point lastTick = Clock::now();
  double longestGapMs = 0;
  int shown = 0;
};

struct Handed {
  Run* run;
  SheetResult result;
};

gboolean tick(gpointer data) {
  auto* run = static_cast<Run*>(data);
  const auto now = Clock::now();
  run->longestGapMs = std::max(run->longestGapMs, std::chrono::duration<double, std::milli>(now - run->lastTick).count());
  run->lastTick = now;
  return G_SOURCE_CONTINUE;
}

// On the loop: the sheet is "shown", and the next one asked for.
gboolean show(gpointer data) {
  auto* handed = static_cast<Handed*>(data);
  Run& run = *handed->run;
  ++run.shown;
  if (handed->result.sheet + 1 < handed->result.sheetCount) {
    run.renderer->request({run.job, handed->result.sheet + 1, 600});
  } else {
    g_main_loop_quit(run.loop);
  }
  return G_SOURCE_REMOVE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: preview_loop_gaps SAMPLE.pdf\n");
    return 2;
  }
  Run run;
  run.loop = g_main_loop_new(nullptr, FALSE);
  run.job.documents = {{argv[1], DocumentType::Pdf}};
  run.job.paper = {595, 842, 12, 12, 583, 830, "A4"};
  PreviewRenderer renderer([&run](SheetResult result) {
    g_main_context_invoke_full(nullptr, G_PRIORITY_DEFAULT, show, new Handed{&run, std::move(result)},
                               [](gpointer data) { delete static_cast<Handed*>(data); });
  });
  run.renderer = &renderer;
  g_timeout_add(1, tick, &run);
  const auto start = Clock::now();
  renderer.request({run.job, 0, 600});
  g_main_loop_run(run.loop);
  const double totalMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::printf("{\"sheets_shown\":%d,\"total_ms\":%.1f,\"longest_gap_ms\":%.2f}\n", run.shown, totalMs,
              run.longestGapMs);
  g_main_loop_unref(run.loop);
  return 0;
}
