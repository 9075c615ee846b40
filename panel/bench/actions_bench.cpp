// How long the panel takes to react: the colour-sync chain (toner save
// forced off, the image type forced to item 0 with its preset and every
// nested handler, the output profile forced) and the full enabling refresh,
// over the real Color6 layout and the sample description.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "panel_rig.h"

namespace {

using paneltest::Panel;

// The panel over the bundle as built, its layout filled.
struct RealPanel : paneltest::PanelRig {
  RealPanel() {
    if (!panel || !panel->panelView()) {
      std::fprintf(stderr, "the panel could not be built from %s\n", TINTPANEL_BUNDLE_DIR);
      std::exit(1);
    }
  }

  // Every condition of the colour-sync chain set so that each of its steps
  // acts: toner save on, a custom image type, the output profile elsewhere.
  void armColourSync() {
    paneltest::setChoices(*panel, {{&Panel::colorSyncChoice, 0}, {&Panel::tonerSaveChoice, 1},
                                   {&Panel::printPriorityChoice, 1}, {&Panel::imageTypeChoice, 6},
                                   {&Panel::outputProfileChoice, 2}, {&Panel::sourceProfileChoice, 0},
                                   {&Panel::renderingIntentChoice, 2}, {&Panel::cmykSimulationChoice, 1},
                                   {&Panel::simulationProfileChoice, 3}, {&Panel::cmykoutputProfileChoice, 1}});
    panel->updateUI();
  }
};

void BM_ColourSyncOnChain(benchmark::State& state) {
  RealPanel real;
  Panel& p = *real;
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
  Panel& p = *real;
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
  Panel& p = *real;
  for (auto _ : state) {
    p.fullEnablingRefresh();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FullEnablingRefresh);

}  // namespace

BENCHMARK_MAIN();
