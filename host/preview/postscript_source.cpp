#include <libspectre/spectre.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "page_source.h"

namespace pdehost::preview {
namespace {

// PostScript is run by Ghostscript (through libspectre) into a bitmap at the
// scale the page is shown at, then painted.
class PostScriptSource : public PageSource {
 public:
  explicit PostScriptSource(SpectreDocument* document) : document_(document) {}
  ~PostScriptSource() override { spectre_document_free(document_); }
  PostScriptSource(const PostScriptSource&) = delete;
  PostScriptSource& operator=(const PostScriptSource&) = delete;

  int pageCount() const override { return static_cast<int>(spectre_document_get_n_pages(document_)); }

  PageSize pageSize(int page) const override {
    PageSize size;
    if (SpectrePage* p = spectre_document_get_page(document_, static_cast<unsigned>(page))) {
      int width = 0, height = 0;
      spectre_page_get_size(p, &width, &height);
      size = {double(width), double(height)};
      spectre_page_free(p);
    }
    return size;
  }

  void drawPage(int page, cairo_t* cr, double pixelsPerPoint) override {
    SpectrePage* p = spectre_document_get_page(document_, static_cast<unsigned>(page));
    if (p == nullptr) return;
    const double scale = std::clamp(pixelsPerPoint, 0.05, 8.0);
    SpectreRenderContext* context = spectre_render_context_new();
    spectre_render_context_set_scale(context, scale, scale);
    unsigned char* data = nullptr;
    int rowLength = 0;
    spectre_page_render(p, context, &data, &rowLength);
    int width = 0, height = 0;
    spectre_page_get_size(p, &width, &height);
    const int pixelWidth = static_cast<int>(std::lround(width * scale));
    const int pixelHeight = static_cast<int>(std::lround(height * scale));
    if (data != nullptr && spectre_page_status(p) == SPECTRE_STATUS_SUCCESS && rowLength >= pixelWidth * 4 &&
        pixelWidth > 0 && pixelHeight > 0) {
      cairo_surface_t* bitmap =
          cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, pixelWidth, pixelHeight, rowLength);
      cairo_save(cr);
      cairo_scale(cr, 1 / scale, 1 / scale);
      cairo_set_source_surface(cr, bitmap, 0, 0);
      cairo_paint(cr);
      cairo_restore(cr);
      cairo_surface_destroy(bitmap);
    }
    std::free(data);
    spectre_render_context_free(context);
    spectre_page_free(p);
  }

 private:
  SpectreDocument* document_;
};

}  // namespace

std::unique_ptr<PageSource> openPostScript(const std::filesystem::path& path, std::string* message) {
  SpectreDocument* document = spectre_document_new();
  spectre_document_load(document, path.c_str());
  const SpectreStatus status = spectre_document_status(document);
  if (status != SPECTRE_STATUS_SUCCESS || spectre_document_get_n_pages(document) == 0) {
    if (message) {
      *message = "The PostScript file " + path.filename().string() + " cannot be shown (" +
                 (status != SPECTRE_STATUS_SUCCESS ? spectre_status_to_string(status) : "no pages") +
                 "). It still prints.";
    }
    spectre_document_free(document);
    return nullptr;
  }
  return std::make_unique<PostScriptSource>(document);
}

}  // namespace pdehost::preview
