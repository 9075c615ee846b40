// Small documents made on the spot for the preview's tests.
#pragma once

#include <filesystem>

#include "sheet_image.h"
#include "sheet_layout.h"

namespace pdehost::preview::test {

inline constexpr PageSize kA4{595, 842};
inline constexpr PageSize kLetter{612, 792};
// A4 and its printable area in the sample printer description.
inline const Paper kA4Paper{595, 842, 12, 12, 583, 830, "A4"};

// `pages` pages, each filled with a colour of its own and with its top left
// quarter black, so that where a page lands and which way up shows.
void writeMarkedPdf(const std::filesystem::path& path, int pages, PageSize size);
// One A4 page with a red and a blue shape on white.
void writeRedBluePdf(const std::filesystem::path& path);
// A picture that is red on its left half and blue on its right.
void writeRedBluePng(const std::filesystem::path& path);

// The share of pixels (0 to 1) where two images of the same size differ by
// more than `tolerance` in some channel; 1 when the sizes differ.
double differingShare(cairo_surface_t* a, cairo_surface_t* b, int tolerance);
// Pixels whose channels are not all equal.
int colouredPixels(cairo_surface_t* image);
// The mean of 255 minus the channels, over all pixels: how dark the image is.
double meanDarkness(cairo_surface_t* image);

}  // namespace pdehost::preview::test
