// The parts of pdehost that need the document libraries (poppler, cairo,
// libspectre, GdkPixbuf): counting a PDF's pages and drawing a sheet of the
// preview. They live in a module of their own, loaded on first use, so that
// a script that touches no document starts without those libraries mapped.
// Module and host are built together: C++ types cross the boundary.
#pragma once

#include <filesystem>
#include <string>

#include "preview_job.h"

namespace pdehost::media {

// What one drawn sheet came to.
struct SheetInfo {
  int sheets = 0;             // sheets in the whole job
  int width = 0, height = 0;  // pixels of the PNG
  std::string message;        // why the sheet's document cannot be shown
};

struct Api {
  // Pages of the PDF open at `fd` (read from its start; the descriptor stays
  // open), or 0 when it cannot be read as a PDF.
  int (*countPdfPages)(int fd);
  // Writes sheet `sheet` (from 1) of `job` as a PNG at `png`, one pixel a
  // point, with the job's effects. False, with `*error`, when it cannot.
  bool (*drawSheet)(const preview::PreviewJob& job, int sheet, const std::filesystem::path& png, SheetInfo* info,
                    std::string* error);
};

// The module's functions, loaded the first time they are asked for; null,
// with `*error`, when the module cannot be loaded.
const Api* api(std::string* error);

// The module's file name; it sits beside the toolkit library.
inline constexpr const char* kModuleName = "libqvxmedia.so";
// The function the module exports.
inline constexpr const char* kEntryName = "qvx_media_api";

}  // namespace pdehost::media
