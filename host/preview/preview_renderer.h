// Renders preview sheets on a thread of its own, so that a window's main
// loop never waits for a document. The latest request wins: a newer one
// cancels the render of an older one, whose result is then never delivered.
// Only the sheet asked for is rendered; a few rendered sheets are kept, so
// that a change of image effects, or a step back to a sheet just shown,
// redraws without rendering the documents again.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "job_sheets.h"
#include "preview_job.h"

namespace pdehost::preview {

struct SheetRequest {
  PreviewJob job;
  int sheet = 0;  // counted from 0, in the order the sheets print
  int widthPixels = 400;
};

struct SheetResult {
  std::uint64_t request = 0;
  int sheet = 0;
  int sheetCount = 0;
  SheetSurface image;   // with the image effects; null when the job has no such sheet
  std::string message;  // the sheet's document cannot be shown: why, for the person
  std::string problem;  // a problem with the job as a whole
};

class PreviewRenderer {
 public:
  // `deliver` is called on the renderer's thread, once for each request
  // that is still the latest when its sheet is ready; a window hands the
  // result on to its main loop.
  using Deliver = std::function<void(SheetResult)>;
  explicit PreviewRenderer(Deliver deliver, std::size_t cachedSheets = 8);
  ~PreviewRenderer();
  PreviewRenderer(const PreviewRenderer&) = delete;
  PreviewRenderer& operator=(const PreviewRenderer&) = delete;

  // Queues the request in place of any still waiting or rendering; its
  // number, as the result carries it.
  std::uint64_t request(SheetRequest request);

  struct Counts {
    int rendered = 0;    // sheets drawn from their documents
    int fromCache = 0;   // sheets served from the kept ones
    int superseded = 0;  // requests dropped for a newer one
  };
  Counts counts() const;

 private:
  struct Cached {
    std::string key;
    SheetSurface image;
    std::string message;
  };

  void run();
  void serve(const SheetRequest& request, std::uint64_t id);
  bool isStale(std::uint64_t id) const;

  Deliver deliver_;
  const std::size_t cachedSheets_;

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<SheetRequest> pending_;
  std::uint64_t latest_ = 0;
  bool stopping_ = false;
  Counts counts_;

  // Used by the renderer's thread alone.
  std::string fingerprint_;
  std::unique_ptr<JobSheets> sheets_;
  std::list<Cached> cache_;  // most recently used first

  std::thread thread_;
};

}  // namespace pdehost::preview
