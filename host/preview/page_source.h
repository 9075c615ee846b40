// The pages of one document, read by the library made for its type.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "preview_job.h"
#include "sheet_layout.h"

namespace pdehost::preview {

class PageSource {
 public:
  virtual ~PageSource() = default;
  virtual int pageCount() const = 0;
  virtual PageSize pageSize(int page) const = 0;
  // Draws the page into `cr`, whose user space is the page's points with the
  // origin at the top left and y downwards. `pixelsPerPoint` is the scale
  // the page reaches the device at, for sources that draw through a bitmap.
  virtual void drawPage(int page, cairo_t* cr, double pixelsPerPoint) = 0;
};

// The document opened for its type. Nothing, and `*message` says in words
// for the person why, when it cannot be previewed.
std::unique_ptr<PageSource> openPdf(const std::filesystem::path& path, std::string* message);
// A PDF held in memory; `what` names it in the message.
std::unique_ptr<PageSource> openPdfBytes(std::string bytes, const std::string& what, std::string* message);
std::unique_ptr<PageSource> openPostScript(const std::filesystem::path& path, std::string* message);
std::unique_ptr<PageSource> openImage(const std::filesystem::path& path, const Paper& paper, std::string* message);
// Plain text laid out by CUPS' own text filter on the job's paper, then read
// as PDF.
std::unique_ptr<PageSource> openText(const std::filesystem::path& path, const PreviewJob& job, std::string* message);

std::unique_ptr<PageSource> openDocument(const PreviewDocument& document, const PreviewJob& job, std::string* message);

}  // namespace pdehost::preview
