#include "actions/preview_action.h"

#include "actions/page_actions.h"
#include "cups/ppd_document.h"
#include "cups/test_page.h"
#include "media/media_api.h"
#include "ppd_adapter.h"
#include "session/host_session.h"

namespace pdehost {
namespace {

preview::DocumentType previewType(documents::DocumentType type) {
  switch (type) {
    case documents::DocumentType::Pdf:
      return preview::DocumentType::Pdf;
    case documents::DocumentType::PostScript:
      return preview::DocumentType::PostScript;
    case documents::DocumentType::Text:
      return preview::DocumentType::Text;
    case documents::DocumentType::Image:
      return preview::DocumentType::Image;
  }
  return preview::DocumentType::Pdf;
}

// The paper of the chosen PageSize, or of the description's default.
preview::Paper paperOf(const HostSession& session) {
  preview::Paper paper;
  std::string chosen;
  if (session.settings() == nullptr || session.settings()->getValue("PageSize", &chosen) != 0) chosen.clear();
  ppd_file_t* ppd = session.ppd() != nullptr ? session.ppd()->file() : nullptr;
  const ppd_size_t* size = ppdx::pageSize(ppd, chosen.empty() ? nullptr : chosen.c_str());
  if (size != nullptr && size->width > 0 && size->length > 0) {
    paper = {size->width, size->length, size->left, size->bottom, size->right, size->top, size->name};
  }
  return paper;
}

}  // namespace

preview::PreviewJob previewJobOf(const HostSession& session, const std::filesystem::path& testPage) {
  preview::PreviewJob job;
  for (const documents::Document& d : session.documents().documents()) {
    job.documents.push_back({d.path, previewType(d.type)});
  }
  if (job.documents.empty() && !testPage.empty()) job.documents.push_back({testPage, preview::DocumentType::PostScript});
  job.paper = paperOf(session);
  const page::PageLayout layout = layoutOf(session);
  job.numberUp = layout.perSheet;
  job.orientation = layout.orientation == page::Orientation::Landscape ? preview::Orientation::Landscape
                                                                         : preview::Orientation::Portrait;
  job.fitToPage = layout.fitToPage;
  job.reverseOrder = layout.reverse;
  const page::ParsedRanges ranges = pageRangesOf(session, session.documents().longestDocument().value_or(1));
  if (ranges.ok()) job.pageRanges = page::pageRangesOption(ranges.ranges);
  job.effects = preview::effectsFromSettings([&](const std::string& keyword) -> std::optional<std::string> {
    std::string value;
    if (session.settings() == nullptr || session.settings()->getValue(keyword, &value) != 0) return std::nullopt;
    return value;
  });
  return job;
}

Result<PreviewImage> previewSheet(HostSession& session, const PreviewRequest& request) {
  std::string error;
  // The panel's choices as they stand now reach the print settings first,
  // as they do before a job is sent.
  if (!session.panel().saveValuesAndReturnError(&error)) return because(error);
  toolkit::TemporaryFile testPage;
  if (session.documents().empty()) {
    testPage = writeTestPage(session.printer().queue.value_or("LX4200"), &error);
    if (!testPage) return because(error);
  }
  media::SheetInfo info;
  const media::Api* media = media::api(&error);
  if (media == nullptr) return because(error);
  if (!media->drawSheet(previewJobOf(session, testPage ? testPage.path() : std::filesystem::path()), request.sheet,
                        request.png, &info, &error)) {
    return because(error);
  }
  return PreviewImage{request.png, request.sheet, info.sheets, info.width, info.height, info.message};
}

}  // namespace pdehost
