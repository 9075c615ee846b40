#include "image_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace pdehost::preview {
namespace {

// How far from grey (largest minus smallest channel, 0 to 255) a colour may
// be and still print with black toner alone, for each Neutral Gray level.
constexpr std::array<int, 5> kNeutralTolerance = {0, 8, 16, 32, 32};
// Black Only and Pure Black act on dark colours only: below this lightness.
constexpr int kDarkLimit = 64;
// Toner Save prints about 60 % of the toner: each channel keeps that share of
// its distance from white.
constexpr int kTonerShareOf256 = 154;

struct Rgb {
  int r, g, b;
};

int luma(const Rgb& c) { return (77 * c.r + 150 * c.g + 29 * c.b + 128) >> 8; }
int chroma(const Rgb& c) { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}); }

Rgb grey(int level) { return {level, level, level}; }

Rgb applyToPixel(Rgb c, const ImageEffects& e) {
  if (e.neutralGray != NeutralGray::Off) {
    const int tolerance = kNeutralTolerance[static_cast<int>(e.neutralGray)];
    const bool darkOnly = e.neutralGray == NeutralGray::BlackOnly;
    if (chroma(c) <= tolerance && (!darkOnly || luma(c) < kDarkLimit)) c = grey(luma(c));
  }
  if (e.pureBlack && chroma(c) <= 24 && std::max({c.r, c.g, c.b}) < kDarkLimit / 2) c = grey(0);
  if (e.grayscale) c = grey(luma(c));
  if (e.tonerSave) {
    auto lighter = [](int v) { return 255 - (((255 - v) * kTonerShareOf256) >> 8); };
    c = {lighter(c.r), lighter(c.g), lighter(c.b)};
  }
  return c;
}

}  // namespace


void applyEffects(cairo_surface_t* image, const ImageEffects& effects) {
  if (effects == ImageEffects{} || cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE) return;
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  const int stride = cairo_image_surface_get_stride(image);
  if (data == nullptr) return;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      const Rgb out = applyToPixel({int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)}, effects);
      row[x] = (p & 0xff000000u) | std::uint32_t(out.r) << 16 | std::uint32_t(out.g) << 8 | std::uint32_t(out.b);
    }
  }
  cairo_surface_mark_dirty(image);
}

}  // namespace pdehost::preview
