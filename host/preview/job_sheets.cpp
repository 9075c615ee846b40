#include "job_sheets.h"

#include <algorithm>
#include <cmath>

namespace pdehost::preview {

JobSheets::JobSheets(const PreviewJob& job) {
  std::optional<PageRanges> ranges = PageRanges::parse(job.pageRanges, &problem_);
  if (!ranges) ranges = PageRanges();
  if (!isSupportedNumberUp(job.numberUp)) {
    problem_ = std::to_string(job.numberUp) + " pages per sheet is not a choice; the preview shows one";
  }
  const LayoutOptions options{job.paper, job.orientation, job.numberUp, job.fitToPage};

  for (const PreviewDocument& d : job.documents) {
    const int index = static_cast<int>(documents_.size());
    Document document;
    document.source = openDocument(d, job, &document.message);
    std::vector<SheetPlan> plans;
    if (document.source) {
      std::vector<PageSize> sizes;
      for (int page = 0; page < document.source->pageCount(); ++page) {
        sizes.push_back(document.source->pageSize(page));
      }
      plans = layoutDocument(sizes, options);
    } else {
      // A document that cannot be shown still takes its place in the job:
      // one empty sheet that carries the message.
      plans.push_back(SheetPlan{job.paper.width, job.paper.height, 0, {}});
    }
    for (int s : sheetsToPrint(static_cast<int>(plans.size()), *ranges, false)) {
      sheets_.push_back({index, std::move(plans[static_cast<std::size_t>(s)])});
    }
    documents_.push_back(std::move(document));
  }
  if (job.reverseOrder) std::reverse(sheets_.begin(), sheets_.end());
}

JobSheets::~JobSheets() = default;

RenderedSheet JobSheets::render(int sheet, int widthPixels, const std::function<bool()>& cancelled) const {
  RenderedSheet result;
  if (sheet < 0 || sheet >= sheetCount()) return result;
  const Sheet& s = sheets_[static_cast<std::size_t>(sheet)];
  const Document& document = documents_[static_cast<std::size_t>(s.document)];
  result.message = document.message;

  const int width = std::clamp(widthPixels, 1, 10000);
  const double pixelsPerPoint = width / s.plan.width;
  const int height = std::clamp(static_cast<int>(std::lround(s.plan.height * pixelsPerPoint)), 1, 10000);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    result.message = "There is not enough memory to show this sheet.";
    return result;
  }
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  // The sheet's points, origin at the lower left, y upwards.
  cairo_scale(cr, pixelsPerPoint, pixelsPerPoint);
  cairo_translate(cr, 0, s.plan.height);
  cairo_scale(cr, 1, -1);
  bool stopped = false;
  for (const Placement& p : s.plan.pages) {
    if (cancelled && cancelled()) {
      stopped = true;
      break;
    }
    cairo_save(cr);
    const cairo_matrix_t toSheet = {p.toSheet.xx, p.toSheet.yx, p.toSheet.xy, p.toSheet.yy, p.toSheet.x0, p.toSheet.y0};
    cairo_transform(cr, &toSheet);
    cairo_rectangle(cr, 0, 0, p.size.width, p.size.height);
    cairo_clip(cr);
    // The page's own space: origin at its top left, y downwards.
    cairo_translate(cr, 0, p.size.height);
    cairo_scale(cr, 1, -1);
    const double pageScale = std::sqrt(std::abs(p.toSheet.xx * p.toSheet.yy - p.toSheet.xy * p.toSheet.yx));
    document.source->drawPage(p.page, cr, pixelsPerPoint * pageScale);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  if (stopped) {
    cairo_surface_destroy(surface);
    return {};
  }
  cairo_surface_flush(surface);
  result.image = adoptSurface(surface);
  return result;
}

}  // namespace pdehost::preview
