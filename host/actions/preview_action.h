// The preview of the session's job: the documents added (or the test page
// when there are none) laid out as CUPS will lay them out with the session's
// layout and paper, with the panel's image-quality choices on the sheets.
#pragma once

#include <filesystem>
#include <string>

#include "actions/result.h"
#include "preview_job.h"

namespace pdehost {

class HostSession;

// The job as the preview sees it; `testPage` is printed when no document
// was added.
preview::PreviewJob previewJobOf(const HostSession& session, const std::filesystem::path& testPage);

struct PreviewRequest {
  std::filesystem::path png;
  int sheet = 1;  // counted from 1, in the order the sheets print
};

struct PreviewImage {
  std::filesystem::path file;
  int sheet = 1;
  int sheets = 0;
  int width = 0, height = 0;  // pixels: one a point of the sheet
  std::string message;        // why the sheet's document cannot be shown
};

// Writes one sheet of the session's job as a PNG, the sheet alone, in the
// paper's proportions, turned for landscape.
Result<PreviewImage> previewSheet(HostSession& session, const PreviewRequest& request);

}  // namespace pdehost
