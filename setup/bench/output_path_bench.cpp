// Throughput of the output path: engine bytes in 64 KiB chunks → lines →
// handleLine → script text → main queue → page, with the main queue drained
// the way the terminal front end drains it (in batches).
#include <benchmark/benchmark.h>

#include <mutex>
#include <string>
#include <vector>

#include "bridge/bridge.h"
#include "bridge/engine_line.h"
#include "bridge/line_splitter.h"
#include "bridge/script_text.h"
#include "utf8/utf8.h"

namespace {

class CountingPage : public qvx::PageView {
 public:
  void evaluateJavaScript(const std::string& script) override { bytes += script.size() + 1; }
  std::size_t bytes = 0;
};

class BatchPlatform : public qvx::Platform {
 public:
  void postToMain(Task task) override {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  std::optional<std::filesystem::path> resourcesDirectory() const override { return std::nullopt; }
  std::map<std::string, std::string> environment() const override { return {}; }
  void openWithDefaultApplication(const std::string&) override {}
  void terminateApplication() override {}

  void drain() {
    std::vector<Task> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(tasks_);
    }
    for (auto& task : batch) task();
  }

 private:
  std::mutex mutex_;
  std::vector<Task> tasks_;
};

std::string engineOutput(std::size_t lines) {
  std::string text;
  for (std::size_t i = 0; i < lines; ++i) {
    text += (i % 10 == 9) ? "@WARN Disk almost full on /var\n" : "@STEP Copying driver file " + std::to_string(i) + "\n";
  }
  return text;
}

void BM_OutputPath(benchmark::State& state) {
  const std::size_t lines = static_cast<std::size_t>(state.range(0));
  const std::string output = engineOutput(lines);
  auto platform = std::make_shared<BatchPlatform>();
  auto page = std::make_shared<CountingPage>();
  auto bridge = qvx::Bridge::create(platform);
  bridge->web = page;
  // 0: each line queued on its own (handleLine); 1: a chunk's lines gathered
  // and queued together, as the engine's reader does.
  const bool gather = state.range(1) != 0;
  qvx::ScriptBatch gathered;
  for (auto _ : state) {
    qvx::LineSplitter splitter;
    for (std::size_t at = 0; at < output.size(); at += 65536) {
      splitter.append(std::string_view(output).substr(at, 65536), [&](std::string_view line) {
        if (!qvx::utf8::isValid(line)) return;
        if (gather) {
          bridge->gatherLine(line, gathered);
        } else {
          bridge->handleLine(line);
        }
      });
      bridge->queueGathered(gathered);
      platform->drain();
    }
  }
  benchmark::DoNotOptimize(page->bytes);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * lines));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}
BENCHMARK(BM_OutputPath)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_ClassifyLine(benchmark::State& state) {
  const std::string line = state.range(0) ? "@STEP Copie du pilote \u00e9tape 3\u00a0" : "@STEP Copying driver files";
  for (auto _ : state) benchmark::DoNotOptimize(qvx::classifyEngineLine(line));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ClassifyLine)->Arg(0)->Arg(1);

void BM_ScriptText(benchmark::State& state) {
  const std::string argument = "Copying driver files to /usr/lib/cups/filter";
  for (auto _ : state) benchmark::DoNotOptimize(qvx::scriptText("onStep", argument));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScriptText);

// Validation alone, on a typical ASCII line and on one with accented letters.
void BM_ValidateLine(benchmark::State& state) {
  const std::string line = state.range(0) ? "@STEP Copie du pilote \u00e9tape 3 vers le dossier d'impression \u00e0 Lisbonne"
                                          : "@STEP Copying driver file 42 to the spool folder of the print server";
  for (auto _ : state) benchmark::DoNotOptimize(qvx::utf8::isValid(line));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_ValidateLine)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
