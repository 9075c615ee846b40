// The preview's speed: the first sheet of a 10-page PDF, from nothing and
// through the renderer's thread, and the redraw after a change of colour
// mode.
//   build/<dir>/host/bench/preview_bench
//   build/<dir>/host/bench/preview_bench --write-sample PAGES OUT.pdf
//     writes the sample document the benchmarks use (for preview-whole-process.sh)
#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

#include "job_sheets.h"
#include "preview_renderer.h"

namespace {

using namespace pdehost::preview;

// Pages like an office document's: a heading, lines of text, a coloured
// chart.
void writeSample(const std::filesystem::path& path, int pages) {
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), 595, 842);
  cairo_t* cr = cairo_create(pdf);
  for (int page = 0; page < pages; ++page) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 22);
    cairo_move_to(cr, 60, 80);
    cairo_show_text(cr, ("Quarterly report, page " + std::to_string(page + 1)).c_str());
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 10);
    for (int line = 0; line < 40; ++line) {
      cairo_move_to(cr, 60, 120 + 14 * line);
      cairo_show_text(cr, "The printer's colour options change how toner covers the paper; this line is body text.");
    }
    for (int bar = 0; bar < 8; ++bar) {
      cairo_set_source_rgb(cr, 0.1 * bar, 0.3, 1 - 0.1 * bar);
      cairo_rectangle(cr, 80 + 55 * bar, 780 - 20 * bar, 40, 20 * bar + 10);
      cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(pdf);
}

struct Sample {
  Sample() {
    char folder[] = "/tmp/preview-bench-XXXXXX";
    dir = mkdtemp(folder);
    writeSample(dir / "ten.pdf", 10);
    job.documents = {{dir / "ten.pdf", DocumentType::Pdf}};
    job.paper = {595, 842, 12, 12, 583, 830, "A4"};
  }
  ~Sample() { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  PreviewJob job;
};

constexpr int kPaneWidth = 600;

// Opening the document, laying it out and drawing sheet 1 at pane size.
void BM_FirstSheetOf10PagePdf(benchmark::State& state) {
  Sample sample;
  for (auto _ : state) {
    JobSheets sheets(sample.job);
    RenderedSheet sheet = sheets.render(0, kPaneWidth);
    benchmark::DoNotOptimize(sheet.image.get());
  }
}
BENCHMARK(BM_FirstSheetOf10PagePdf)->Unit(benchmark::kMillisecond);

// Waits for the renderer's results, as a window's main loop would.
struct Waiter {
  void deliver(SheetResult result) {
    std::lock_guard lock(mutex);
    last = result.request;
    done.notify_all();
  }
  void waitFor(std::uint64_t id) {
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return last == id; });
  }
  std::mutex mutex;
  std::condition_variable done;
  std::uint64_t last = 0;
};

// The same through a new renderer: its thread started, the request handed
// over and the sheet handed back.
void BM_FirstSheetThroughRenderer(benchmark::State& state) {
  Sample sample;
  for (auto _ : state) {
    Waiter waiter;
    PreviewRenderer renderer([&](SheetResult r) { waiter.deliver(std::move(r)); });
    waiter.waitFor(renderer.request({sample.job, 0, kPaneWidth}));
  }
}
BENCHMARK(BM_FirstSheetThroughRenderer)->Unit(benchmark::kMillisecond)->UseRealTime();

// The colour mode switched between colour and grey on a sheet on show.
void BM_ColourModeChangeRedraw(benchmark::State& state) {
  Sample sample;
  Waiter waiter;
  PreviewRenderer renderer([&](SheetResult r) { waiter.deliver(std::move(r)); });
  waiter.waitFor(renderer.request({sample.job, 0, kPaneWidth}));
  for (auto _ : state) {
    sample.job.effects.grayscale = !sample.job.effects.grayscale;
    waiter.waitFor(renderer.request({sample.job, 0, kPaneWidth}));
  }
  if (renderer.counts().rendered != 1) state.SkipWithError("the redraw rendered the document again");
}
BENCHMARK(BM_ColourModeChangeRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write-sample") {
    writeSample(argv[3], std::atoi(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
