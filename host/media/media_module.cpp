// The media module: poppler, cairo and the other document libraries behind
// the two functions of media_api.h. Poppler's C++ headers are named by their
// folder: its GLib interface has headers of the same names.
#include <cpp/poppler-document.h>
#include <cpp/poppler-global.h>

#include <cmath>
#include <memory>
#include <mutex>

#include "job_sheets.h"
#include "media/media_api.h"

namespace pdehost::media {
namespace {

int countPdfPages(int fd) {
  // Poppler writes its complaints about a damaged file to stderr otherwise.
  static std::once_flag quiet;
  std::call_once(quiet, [] { poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr); });
  // The very file that was opened and checked, whatever its name is now.
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  const std::unique_ptr<poppler::document> pdf(poppler::document::load_from_file(path));
  if (!pdf || pdf->is_locked() || pdf->pages() < 1) return 0;
  return pdf->pages();
}

bool drawSheet(const preview::PreviewJob& job, int sheet, const std::filesystem::path& png, SheetInfo* info,
               std::string* error) {
  const preview::JobSheets sheets(job);
  if (sheet < 1 || sheet > sheets.sheetCount()) {
    *error = "there is no sheet " + std::to_string(sheet) + "; the job has " + std::to_string(sheets.sheetCount());
    return false;
  }
  const int index = sheet - 1;
  // One pixel a point: the sheet at 72 dots an inch.
  preview::RenderedSheet rendered = sheets.render(index, static_cast<int>(std::lround(sheets.plan(index).width)));
  preview::applyEffects(rendered.image.get(), job.effects);
  if (!preview::writePng(rendered.image, png, error)) return false;
  *info = {sheets.sheetCount(), cairo_image_surface_get_width(rendered.image.get()),
           cairo_image_surface_get_height(rendered.image.get()), rendered.message};
  return true;
}

constexpr Api kApi{countPdfPages, drawSheet};

}  // namespace
}  // namespace pdehost::media

extern "C" __attribute__((visibility("default"))) const pdehost::media::Api* qvx_media_api() {
  return &pdehost::media::kApi;
}
