// How long adding a document takes, page count included: a 500-page PDF, a
// 500-page PostScript file and a long text, all written once beforehand.
//   build/<dir>/host/documents/bench/documents_bench
#include <benchmark/benchmark.h>

#include "document_list.h"
#include "sample_documents.h"
#include "temp_dir.h"

namespace {

using namespace pdehost::documents;

const qvx::test::TempDir& folder() {
  static const qvx::test::TempDir dir;
  return dir;
}

void inspect(benchmark::State& state, const std::string& name, const std::string& content) {
  const auto path = folder().write(name, content);
  for (auto _ : state) {
    const Inspection seen = inspectDocument(path, "en");
    if (!seen.document) {
      state.SkipWithError(seen.refusal->words.c_str());
      break;
    }
    benchmark::DoNotOptimize(seen.document->pages.pages);
  }
}

void BM_AddPdf500Pages(benchmark::State& state) { inspect(state, "500.pdf", qvx::test::pdfWithPages(500)); }
BENCHMARK(BM_AddPdf500Pages)->Unit(benchmark::kMillisecond);

void BM_AddPostScript500Pages(benchmark::State& state) {
  inspect(state, "500.ps", qvx::test::postScriptWithPages(500));
}
BENCHMARK(BM_AddPostScript500Pages)->Unit(benchmark::kMillisecond);

void BM_AddText30000Lines(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 30000; ++i) text += "A line of plain text, as a log or a listing has them, of some length.\n";
  inspect(state, "long.txt", text);
}
BENCHMARK(BM_AddText30000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
