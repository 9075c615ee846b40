#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdint>

#include "page_source.h"

namespace pdehost::preview {
namespace {

// The picture as a cairo image (premultiplied ARGB), or null.
cairo_surface_t* surfaceFromPixbuf(GdkPixbuf* pixbuf) {
  const int width = gdk_pixbuf_get_width(pixbuf), height = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf), stride = gdk_pixbuf_get_rowstride(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  const guchar* in = gdk_pixbuf_read_pixels(pixbuf);
  unsigned char* out = cairo_image_surface_get_data(surface);
  const int outStride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const guchar* s = in + static_cast<std::ptrdiff_t>(y) * stride;
    auto* d = reinterpret_cast<std::uint32_t*>(out + static_cast<std::ptrdiff_t>(y) * outStride);
    for (int x = 0; x < width; ++x, s += channels) {
      const unsigned a = alpha ? s[3] : 255;
      auto pre = [a](unsigned v) { return (v * a + 127) / 255; };
      d[x] = a << 24 | pre(s[0]) << 16 | pre(s[1]) << 8 | pre(s[2]);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

// One page of the job's paper with the picture as large as fits in the
// printable area, centred: how CUPS' image filter prints a picture given no
// scaling of its own.
class ImageSource : public PageSource {
 public:
  ImageSource(cairo_surface_t* picture, const Paper& paper) : picture_(picture), paper_(paper) {}
  ~ImageSource() override { cairo_surface_destroy(picture_); }
  ImageSource(const ImageSource&) = delete;
  ImageSource& operator=(const ImageSource&) = delete;

  int pageCount() const override { return 1; }
  PageSize pageSize(int) const override { return {paper_.width, paper_.height}; }

  void drawPage(int, cairo_t* cr, double) override {
    const double width = cairo_image_surface_get_width(picture_);
    const double height = cairo_image_surface_get_height(picture_);
    const double boxWidth = paper_.right - paper_.left, boxHeight = paper_.top - paper_.bottom;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return;
    const double scale = std::min(boxWidth / width, boxHeight / height);
    cairo_save(cr);
    // The page's top left is the origin here; the printable box is measured
    // from the paper's lower left.
    cairo_translate(cr, paper_.left + (boxWidth - scale * width) / 2,
                    paper_.height - paper_.top + (boxHeight - scale * height) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }

 private:
  cairo_surface_t* picture_;
  Paper paper_;
};

}  // namespace

std::unique_ptr<PageSource> openImage(const std::filesystem::path& path, const Paper& paper, std::string* message) {
  GError* error = nullptr;
  GdkPixbuf* loaded = gdk_pixbuf_new_from_file(path.c_str(), &error);
  cairo_surface_t* picture = nullptr;
  if (loaded != nullptr) {
    // The picture turned as its camera asked.
    GdkPixbuf* upright = gdk_pixbuf_apply_embedded_orientation(loaded);
    picture = surfaceFromPixbuf(upright ? upright : loaded);
    if (upright) g_object_unref(upright);
    g_object_unref(loaded);
  }
  if (picture == nullptr) {
    if (message) {
      *message = "The picture " + path.filename().string() + " cannot be shown (" +
                 (error ? error->message : "unsupported pixel format") + "). It still prints.";
    }
    if (error) g_error_free(error);
    return nullptr;
  }
  return std::make_unique<ImageSource>(picture, paper);
}

}  // namespace pdehost::preview
