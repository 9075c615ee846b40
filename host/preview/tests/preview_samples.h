// Small documents made on the spot for the preview's tests, and measures of
// the images it draws.
#pragma once

#include <filesystem>

#include "preview_job.h"
#include "sheet_layout.h"

namespace pdehost::preview::test {

inline constexpr PageSize kA4{595, 842};
inline constexpr PageSize kLetter{612, 792};
// A4 and its printable area in the sample printer description.
inline const Paper kA4Paper{595, 842, 12, 12, 583, 830, "A4"};

// `pages` pages, each filled with a colour of its own and with its top left
// quarter black, so that where a page lands and which way up shows.
void writeMarkedPdf(const std::filesystem::path& path, int pages, PageSize size);
// A red and a blue shape on white, as an A4 PDF page or as a PNG picture.
void writeRedBluePdf(const std::filesystem::path& path);
void writeRedBluePng(const std::filesystem::path& path);

// The share of pixels (0 to 1) where two images differ by more than
// `tolerance` in some channel; 1 when their sizes differ.
double differingShare(cairo_surface_t* a, cairo_surface_t* b, int tolerance);
// Pixels whose channels are not all equal.
int colouredPixels(cairo_surface_t* image);
// The mean of 255 minus the channels: how dark the image is.
double meanDarkness(cairo_surface_t* image);

}  // namespace pdehost::preview::test
