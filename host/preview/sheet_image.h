// Cairo image surfaces shared between the renderer's thread and its callers.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <memory>
#include <string>

namespace pdehost::preview {

using SheetSurface = std::shared_ptr<cairo_surface_t>;

// Takes over the reference; null stays null.
SheetSurface adoptSurface(cairo_surface_t* surface);
// A new image with the same pixels.
SheetSurface copySurface(const SheetSurface& surface);

// Writes the image as PNG. The file is opened without following a link and
// must be a regular file (a FIFO or device in its place is refused rather
// than waited on); false and `*error` when it cannot be written whole.
bool writePng(const SheetSurface& surface, const std::filesystem::path& path, std::string* error);

}  // namespace pdehost::preview
