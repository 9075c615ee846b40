// How long the panel takes to come up, next to how long libcups takes to
// parse the printer description the panel reads.
//   build/<dir>/panel/bench/tintpanel_bench
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_rig.h"
#include "pde/plugin_protocol.h"
#include "ppd_adapter.h"

namespace {

const std::string kBundle = TINTPANEL_BUNDLE_DIR;
const std::string kSamplePPD = paneltest::samplePPDPath();
const std::string kLibrary = kBundle + "/Contents/MacOS/TintPanel";

constexpr std::size_t kReleaseBatch = 256;

// The rig's sample description, host and bundle serve the benchmarks that
// build panels of their own; false (the benchmark skipped) when the
// description cannot be opened.
bool opened(const paneltest::PanelRig& rig, benchmark::State& state) {
  if (rig.file->get()) return true;
  state.SkipWithError("cannot open the sample description");
  return false;
}

// libcups opening (and closing) the sample description.
void BM_OpenSamplePPD(benchmark::State& state) {
  for (auto _ : state) {
    ppd_file_t* ppd = ppdx::openFile(kSamplePPD.c_str());
    if (!ppd) {
      state.SkipWithError("cannot open the sample description");
      break;
    }
    benchmark::DoNotOptimize(ppd);
    ppdx::close(ppd);
  }
}
BENCHMARK(BM_OpenSamplePPD)->Unit(benchmark::kMicrosecond);

// The dynamic loader's share of the next benchmark: loading and unloading the
// library alone (its static constructors included, nothing called).
void BM_DlopenAndClose(benchmark::State& state) {
  for (auto _ : state) {
    void* handle = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      state.SkipWithError(dlerror());
      break;
    }
    benchmark::DoNotOptimize(dlsym(handle, pde::kPlugInEntryPoint));
    dlclose(handle);
  }
}
BENCHMARK(BM_DlopenAndClose)->Unit(benchmark::kMicrosecond);

// From dlopen of the bundle to a filled, restored panel, as a host does it.
// Each round unloads the library again (untimed), so every dlopen is real.
void BM_DlopenToRestoredPanel(benchmark::State& state) {
  paneltest::PanelRig rig;
  if (!opened(rig, state)) return;
  for (auto _ : state) {
    void* handle = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      state.SkipWithError(dlerror());
      break;
    }
    auto entry = reinterpret_cast<pde::PlugInEntryPoint>(dlsym(handle, pde::kPlugInEntryPoint));
    pde::PlugInFactory* factory = entry ? entry() : nullptr;
    if (!factory) {
      state.SkipWithError("no factory");
      dlclose(handle);
      break;
    }
    factory->initWithBundle(rig.bundle);
    {
      auto panels = factory->PDEPanelsForTypeWithHostInfo(pde::kPrintDialogExtensionType, rig.host);
      if (!panels || panels->empty() || !(*panels)[0]->panelView()) {
        state.SkipWithError("no panel view");
        break;
      }
      (*panels)[0]->restoreValuesAndReturnError(nullptr);
      state.PauseTiming();  // releasing and unloading are not part of it
    }
    dlclose(handle);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DlopenToRestoredPanel)->Unit(benchmark::kMicrosecond);

// The panel's own part alone: creation, layout loading and filling, restore.
// Panels are released outside the timed part, a batch at a time (closing
// the dialog is not part of bringing the panel up).
void BM_PanelViewAndRestore(benchmark::State& state) {
  paneltest::PanelRig rig;
  if (!opened(rig, state)) return;
  std::vector<std::shared_ptr<VemraPrintPdeLX4200CO>> finished;
  finished.reserve(kReleaseBatch);
  for (auto _ : state) {
    auto panel = VemraPrintPdeLX4200CO::initWithCallback(rig.host, rig.bundle);
    if (!panel || !panel->panelView()) {
      state.SkipWithError("no panel view");
      break;
    }
    panel->restoreValuesAndReturnError(nullptr);
    finished.push_back(std::move(panel));
    if (finished.size() == kReleaseBatch) {
      state.PauseTiming();
      finished.clear();
      state.ResumeTiming();
    }
  }
  finished.clear();
}
BENCHMARK(BM_PanelViewAndRestore)->Unit(benchmark::kMicrosecond);

// The toolkit's share of the above: loading the layout alone, with no owner.
void BM_LoadColor6Layout(benchmark::State& state) {
  auto bundle = toolkit::Bundle::bundleWithPath(kBundle);
  for (auto _ : state) {
    std::vector<std::shared_ptr<toolkit::View>> views;
    if (!bundle->loadNibNamed(VemraPrintPdeLX4200CO::kLayoutName, nullptr, &views)) {
      state.SkipWithError("cannot load the layout");
      break;
    }
    benchmark::DoNotOptimize(views);
  }
}
BENCHMARK(BM_LoadColor6Layout)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
