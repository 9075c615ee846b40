#include "preview_renderer.h"

#include <algorithm>

namespace pdehost::preview {

PreviewRenderer::PreviewRenderer(Deliver deliver, std::size_t cachedSheets)
    : deliver_(std::move(deliver)), cachedSheets_(std::max<std::size_t>(1, cachedSheets)), thread_([this] { run(); }) {}

PreviewRenderer::~PreviewRenderer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

std::uint64_t PreviewRenderer::request(SheetRequest request) {
  std::uint64_t id;
  {
    std::lock_guard lock(mutex_);
    if (pending_) ++counts_.superseded;
    pending_ = std::move(request);
    id = ++latest_;
  }
  wake_.notify_one();
  return id;
}

PreviewRenderer::Counts PreviewRenderer::counts() const {
  std::lock_guard lock(mutex_);
  return counts_;
}

bool PreviewRenderer::isStale(std::uint64_t id) const {
  std::lock_guard lock(mutex_);
  return stopping_ || latest_ != id;
}

void PreviewRenderer::run() {
  while (true) {
    SheetRequest request;
    std::uint64_t id;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_) return;
      request = std::move(*pending_);
      pending_.reset();
      id = latest_;
    }
    serve(request, id);
  }
}

void PreviewRenderer::serve(const SheetRequest& request, std::uint64_t id) {
  const std::string fingerprint = layoutFingerprint(request.job);
  if (!sheets_ || fingerprint != fingerprint_) {
    // Documents or layout changed: open and lay out again; kept sheets of
    // the old job can never be asked for again.
    sheets_.reset();
    cache_.clear();
    sheets_ = std::make_unique<JobSheets>(request.job);
    fingerprint_ = fingerprint;
  }
  SheetResult result;
  result.request = id;
  result.sheet = request.sheet;
  result.sheetCount = sheets_->sheetCount();
  result.problem = sheets_->problem();

  if (request.sheet >= 0 && request.sheet < result.sheetCount) {
    const std::string key = std::to_string(request.sheet) + ':' + std::to_string(request.widthPixels);
    auto hit = std::find_if(cache_.begin(), cache_.end(), [&](const Cached& c) { return c.key == key; });
    if (hit != cache_.end()) {
      cache_.splice(cache_.begin(), cache_, hit);
      std::lock_guard lock(mutex_);
      ++counts_.fromCache;
    } else {
      RenderedSheet rendered = sheets_->render(request.sheet, request.widthPixels, [&] { return isStale(id); });
      if (!rendered.image) {
        std::lock_guard lock(mutex_);
        ++counts_.superseded;
        return;
      }
      cache_.push_front({key, std::move(rendered.image), std::move(rendered.message)});
      if (cache_.size() > cachedSheets_) cache_.pop_back();
      std::lock_guard lock(mutex_);
      ++counts_.rendered;
    }
    // The kept sheet stays as drawn; the effects go on a copy.
    result.image = copySurface(cache_.front().image);
    result.message = cache_.front().message;
    applyEffects(result.image.get(), request.job.effects);
  }
  if (isStale(id)) {
    std::lock_guard lock(mutex_);
    ++counts_.superseded;
    return;
  }
  deliver_(std::move(result));
}

}  // namespace pdehost::preview
