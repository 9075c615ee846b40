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

// Writes the image as PNG: into a new file beside the path, which then
// takes the path's place, so that a full disk leaves any old file as it was.
// A link, FIFO or device at the path is refused, not followed or waited on.
// False and `*error` when it cannot be written whole.
bool writePng(const SheetSurface& surface, const std::filesystem::path& path, std::string* error);

}  // namespace pdehost::preview
