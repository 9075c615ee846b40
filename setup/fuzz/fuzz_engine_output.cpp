// The engine output path: arbitrary bytes cut into arbitrary chunks, split into
// lines, filtered to valid UTF-8, handed to Bridge::handleLine and queued as
// page scripts. However the bytes are cut, the page must receive exactly what
// the whole output read at once gives: the complete lines no longer than the
// line limit, in order, and `finished` must say whether a final tag was among
// them.
//
// Input layout: byte 0 picks the line limit (0: the default one, else that
// many bytes, so that dropping overlong lines is reached with small inputs);
// byte 1 is the number n of chunk-size bytes that follow; the rest is the
// output, cut into chunks whose sizes cycle through those n bytes (0 counts
// as an empty read).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/bridge.h"
#include "bridge/engine_line.h"
#include "bridge/line_splitter.h"
#include "bridge/script_text.h"
#include "utf8/utf8.h"

namespace {

class QueuePlatform : public qvx::Platform {
 public:
  void postToMain(Task task) override { tasks.push_back(std::move(task)); }
  std::optional<std::filesystem::path> resourcesDirectory() const override { return std::nullopt; }
  std::map<std::string, std::string> environment() const override { return {}; }
  void openWithDefaultApplication(const std::string&) override {}
  void terminateApplication() override {}

  void drain() {
    while (!tasks.empty()) {
      auto task = std::move(tasks.front());
      tasks.pop_front();
      task();
    }
  }
  std::deque<Task> tasks;
};

class Page : public qvx::PageView {
 public:
  void evaluateJavaScript(const std::string& script) override { scripts.push_back(script); }
  std::vector<std::string> scripts;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::size_t limit = data[0] == 0 ? qvx::LineSplitter::kDefaultMaxLineBytes : data[0];
  const std::size_t sizeCount = data[1];
  if (size < 2 + sizeCount) return 0;
  const uint8_t* sizes = data + 2;
  const std::string_view output(reinterpret_cast<const char*>(data + 2 + sizeCount), size - 2 - sizeCount);
  // Chunk sizes that are all zero would never get through the output.
  if (sizeCount > 0 && std::all_of(sizes, sizes + sizeCount, [](uint8_t s) { return s == 0; })) return 0;

  // What the page must receive: the output read in one piece.
  std::vector<std::string> expected;
  bool expectFinished = false;
  std::size_t begin = 0;
  for (std::size_t lf; (lf = output.find('\n', begin)) != std::string_view::npos; begin = lf + 1) {
    const auto line = output.substr(begin, lf - begin);
    if (line.size() > limit || !qvx::utf8::isValid(line)) continue;
    if (const auto call = qvx::classifyEngineLine(line)) {
      expected.push_back(qvx::scriptText(call->function, call->argument));
      expectFinished = expectFinished || call->isFinal;
    }
  }
  const std::size_t tail = output.size() - begin;

  // The same output through the reader's pieces, chunk by chunk.
  auto platform = std::make_shared<QueuePlatform>();
  auto page = std::make_shared<Page>();
  auto bridge = qvx::Bridge::create(platform);
  bridge->web = page;
  qvx::LineSplitter splitter(limit);
  std::size_t at = 0;
  for (std::size_t i = 0; at < output.size(); ++i) {
    std::size_t chunk = sizeCount == 0 ? output.size() : sizes[i % sizeCount];
    if (chunk > output.size() - at) chunk = output.size() - at;
    splitter.append(output.substr(at, chunk), [&](std::string_view line) {
      if (line.size() > limit) std::abort();  // the splitter must hold its limit
      if (qvx::utf8::isValid(line)) bridge->handleLine(line);
    });
    at += chunk;
  }
  platform->drain();

  if (page->scripts != expected) std::abort();
  if (bridge->finished.load() != expectFinished) std::abort();
  // The unfinished last line waits whole for more output, unless it is already too long.
  if (splitter.pendingBytes() != (tail <= limit ? tail : 0)) std::abort();
  return 0;
}
