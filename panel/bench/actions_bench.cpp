// How long the panel takes to react: the colour-sync chain (toner save
// forced off, the image type forced to item 0 with its preset and every
// nested handler, the output profile forced) and the full enabling refresh,
// over the real Color6 layout and the sample description.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "ppd_adapter.h"

namespace {

using Panel = VemraPrintPdeLX4200CO;

struct RealPanel {
  RealPanel()
      : ppd(ppdx::openFile((std::string(TINTPANEL_BUNDLE_DIR) + "/Contents/Resources/LX4200.ppd").c_str())),
        host(std::make_shared<testhost::Host>(ppd)),
        panel(Panel::initWithCallback(host, toolkit::Bundle::bundleWithPath(TINTPANEL_BUNDLE_DIR))) {
    if (!panel || !panel->panelView()) {
      std::fprintf(stderr, "the panel could not be built from %s\n", TINTPANEL_BUNDLE_DIR);
      std::exit(1);
    }
  }
  ~RealPanel() {
    panel.reset();
    ppdx::close(ppd);
  }

  // Every condition of the colour-sync chain set so that each of its steps
  // acts: toner save on, a custom image type, the output profile elsewhere.
  void armColourSync() {
    Panel& p = *panel;
    p.colorSyncChoice = 0;
    p.tonerSaveChoice = 1;
    p.printPriorityChoice = 1;
    p.imageTypeChoice = 6;
    p.outputProfileChoice = 2;
    p.sourceProfileChoice = 0;
    p.renderingIntentChoice = 2;
    p.cmykSimulationChoice = 1;
    p.simulationProfileChoice = 3;
    p.cmykoutputProfileChoice = 1;
    p.updateUI();
  }

  ppd_file_t* ppd;
  std::shared_ptr<testhost::Host> host;
  std::shared_ptr<Panel> panel;
};

void BM_ColourSyncOnChain(benchmark::State& state) {
  RealPanel real;
  Panel& p = *real.panel;
  for (auto _ : state) {
    state.PauseTiming();
    real.armColourSync();
    state.ResumeTiming();
    p.colorSyncCB->setState(toolkit::kOnState);
    p.colorSyncProc(p.colorSyncCB.get());
  }
  if (p.imageTypePopup->indexOfSelectedItem() != 0 || p.tonerSaveChoice != 0 || p.sourceProfileChoice != 3)
    state.SkipWithError("the chain did not run to its end");
}
BENCHMARK(BM_ColourSyncOnChain);

// Cross-checks free of the timer pauses: arming alone, and arming followed by
// the chain; their difference is the chain.
void BM_ArmOnly(benchmark::State& state) {
  RealPanel real;
  for (auto _ : state) real.armColourSync();
}
BENCHMARK(BM_ArmOnly);

void BM_ArmThenColourSyncOn(benchmark::State& state) {
  RealPanel real;
  Panel& p = *real.panel;
  for (auto _ : state) {
    real.armColourSync();
    p.colorSyncCB->setState(toolkit::kOnState);
    p.colorSyncProc(p.colorSyncCB.get());
  }
}
BENCHMARK(BM_ArmThenColourSyncOn);

void BM_FullEnablingRefresh(benchmark::State& state) {
  RealPanel real;
  real.armColourSync();
  Panel& p = *real.panel;
  for (auto _ : state) {
    p.fullEnablingRefresh();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullEnablingRefresh);

}  // namespace

BENCHMARK_MAIN();
