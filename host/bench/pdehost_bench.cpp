// How long pdehost takes to bring the panel up, next to libcups' parse of
// the sample description that is part of it.
//   build/<dir>/host/bench/pdehost_bench
#include <benchmark/benchmark.h>

#include "session/host_session.h"
#include "toolkit/view.h"

namespace {

using namespace pdehost;

const std::string kBundle = TINTPANEL_BUNDLE;

// libcups opening the sample description and marking its defaults.
void BM_HostOpensSamplePPD(benchmark::State& state) {
  const std::string path = kBundle + "/Contents/Resources/LX4200.ppd";
  for (auto _ : state) {
    std::string error;
    auto ppd = PpdDocument::open(path, &error);
    if (!ppd) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(ppd->file());
  }
}
BENCHMARK(BM_HostOpensSamplePPD)->Unit(benchmark::kMicrosecond);

// The whole start of pdehost (dlopen, the description, the factory's panel)
// to a filled, restored panel: panelView then restore.
// No printer: the server's part is timed by host/bench/queue-start.sh.
void BM_HostStartToRestoredPanel(benchmark::State& state) {
  HostOptions options;
  options.plugin = kBundle;
  options.printer = "";
  for (auto _ : state) {
    HostSession::StartFailure failure;
    auto session = HostSession::start(options, "/nonexistent/pdehost", &failure);
    if (!session) {
      state.SkipWithError(failure.message.c_str());
      break;
    }
    session->show(session->panel().panelView());
    std::string error;
    bool restored = session->panel().restoreValuesAndReturnError(&error);
    if (session->shownView() == nullptr || !restored) {
      state.SkipWithError("no filled, restored panel");
      break;
    }
  }
}
BENCHMARK(BM_HostStartToRestoredPanel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
