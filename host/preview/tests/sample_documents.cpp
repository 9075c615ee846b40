#include "sample_documents.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace pdehost::preview::test {
namespace {

template <typename F>
void forEachPixel(cairo_surface_t* image, F f) {
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < cairo_image_surface_get_height(image); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < cairo_image_surface_get_width(image); ++x) {
      f(int(row[x] >> 16 & 0xff), int(row[x] >> 8 & 0xff), int(row[x] & 0xff), x, y);
    }
  }
}

}  // namespace

void writeMarkedPdf(const std::filesystem::path& path, int pages, PageSize size) {
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), size.width, size.height);
  cairo_t* cr = cairo_create(pdf);
  for (int i = 0; i < pages; ++i) {
    const double hue = double(i) / std::max(pages, 1);
    cairo_set_source_rgb(cr, 0.2 + 0.8 * hue, 0.9 - 0.6 * hue, 0.5 + 0.4 * std::sin(6.28 * hue));
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_rectangle(cr, 0, 0, size.width / 2, size.height / 2);
    cairo_fill(cr);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(pdf);
}

void writeRedBluePdf(const std::filesystem::path& path) {
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), kA4.width, kA4.height);
  cairo_t* cr = cairo_create(pdf);
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
  cairo_rectangle(cr, 72, 72, 200, 300);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.1, 0.2, 0.9);
  cairo_arc(cr, 400, 500, 120, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(pdf);
}

void writeRedBluePng(const std::filesystem::path& path) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 30);
  cairo_t* cr = cairo_create(image);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_rectangle(cr, 0, 0, 20, 30);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 0, 1);
  cairo_rectangle(cr, 20, 0, 20, 30);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_write_to_png(image, path.c_str());
  cairo_surface_destroy(image);
}

double differingShare(cairo_surface_t* a, cairo_surface_t* b, int tolerance) {
  const int width = cairo_image_surface_get_width(a), height = cairo_image_surface_get_height(a);
  if (width != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b)) return 1;
  cairo_surface_flush(b);
  const unsigned char* other = cairo_image_surface_get_data(b);
  const int stride = cairo_image_surface_get_stride(b);
  long differing = 0;
  forEachPixel(a, [&](int r, int g, int bl, int x, int y) {
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(other + static_cast<std::ptrdiff_t>(y) * stride)[x];
    if (std::abs(r - int(p >> 16 & 0xff)) > tolerance || std::abs(g - int(p >> 8 & 0xff)) > tolerance ||
        std::abs(bl - int(p & 0xff)) > tolerance) {
      ++differing;
    }
  });
  return double(differing) / (double(width) * height);
}

int colouredPixels(cairo_surface_t* image) {
  int coloured = 0;
  forEachPixel(image, [&](int r, int g, int b, int, int) { coloured += (r != g || g != b); });
  return coloured;
}

double meanDarkness(cairo_surface_t* image) {
  double sum = 0;
  long count = 0;
  forEachPixel(image, [&](int r, int g, int b, int, int) {
    sum += 765 - r - g - b;
    count += 3;
  });
  return count ? sum / count : 0;
}

}  // namespace pdehost::preview::test
