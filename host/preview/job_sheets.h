// The sheets of a whole job: its documents opened, laid out as CUPS lays
// them out, and drawn one sheet at a time. Each document starts a new sheet,
// as each file of a CUPS job is filtered on its own. Not thread-safe: one
// thread uses an object at a time.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "page_source.h"
#include "preview_job.h"
#include "sheet_image.h"
#include "sheet_layout.h"

namespace pdehost::preview {

struct RenderedSheet {
  SheetSurface image;   // RGB24, white paper; null when cancelled
  std::string message;  // why the sheet's document cannot be shown; empty when it can
};

class JobSheets {
 public:
  explicit JobSheets(const PreviewJob& job);
  ~JobSheets();
  JobSheets(const JobSheets&) = delete;
  JobSheets& operator=(const JobSheets&) = delete;

  // The sheets that print, in the order they come out.
  int sheetCount() const { return static_cast<int>(sheets_.size()); }
  const SheetPlan& plan(int sheet) const { return sheets_.at(static_cast<std::size_t>(sheet)).plan; }
  // A problem with the job as a whole (a page range that is not one), for
  // the person; the sheets are then all of them.
  const std::string& problem() const { return problem_; }

  // Draws a sheet (counted from 0) `widthPixels` wide, in the sheet's own
  // proportions, without image effects. `cancelled` is asked between pages.
  RenderedSheet render(int sheet, int widthPixels, const std::function<bool()>& cancelled = {}) const;

 private:
  struct Document {
    std::unique_ptr<PageSource> source;
    std::string message;
  };
  struct Sheet {
    int document;
    SheetPlan plan;
  };
  std::vector<Document> documents_;
  std::vector<Sheet> sheets_;
  std::string problem_;
};

}  // namespace pdehost::preview
