#include "preview_samples.h"

#include <cairo-pdf.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace pdehost::preview::test {
namespace {

std::uint32_t pixelAt(cairo_surface_t* image, int x, int y) {
  const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

template <typename F>
void forEachPixel(cairo_surface_t* image, F f) {
  cairo_surface_flush(image);
  for (int y = 0; y < cairo_image_surface_get_height(image); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(image); ++x) {
      const std::uint32_t p = pixelAt(image, x, y);
      f(int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff), x, y);
    }
  }
}

void drawRedBlue(cairo_surface_t* surface, double scale) {
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
  cairo_rectangle(cr, 72, 72, 200, 300);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.1, 0.2, 0.9);
  cairo_arc(cr, 400, 500, 120, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_destroy(cr);
}

}  // namespace

void writeMarkedPdf(const std::filesystem::path& path, int pages, PageSize size) {
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), size.width, size.height);
  cairo_t* cr = cairo_create(pdf);
  for (int i = 0; i < pages; ++i) {
    const double hue = double(i) / pages;
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
  drawRedBlue(pdf, 1);
  cairo_surface_destroy(pdf);
}

void writeRedBluePng(const std::filesystem::path& path) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 60, 85);
  drawRedBlue(image, 0.1);
  cairo_surface_write_to_png(image, path.c_str());
  cairo_surface_destroy(image);
}

double differingShare(cairo_surface_t* a, cairo_surface_t* b, int tolerance) {
  const int width = cairo_image_surface_get_width(a), height = cairo_image_surface_get_height(a);
  if (width != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b)) return 1;
  cairo_surface_flush(b);
  long differing = 0;
  forEachPixel(a, [&](int r, int g, int bl, int x, int y) {
    const std::uint32_t p = pixelAt(b, x, y);
    differing += std::abs(r - int(p >> 16 & 0xff)) > tolerance || std::abs(g - int(p >> 8 & 0xff)) > tolerance ||
                 std::abs(bl - int(p & 0xff)) > tolerance;
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
  forEachPixel(image, [&](int r, int g, int b, int, int) { sum += 765 - r - g - b; });
  return sum / (3.0 * cairo_image_surface_get_width(image) * cairo_image_surface_get_height(image));
}

}  // namespace pdehost::preview::test
