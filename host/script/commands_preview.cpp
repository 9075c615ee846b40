// `preview FILE.png [SHEET]`: one sheet of the job (the documents added, or
// the test page) as a PNG, as the dialog's preview shows it, and a line with
// the number of sheets and the image's size.
#include "actions/preview_action.h"
#include "script/action_lines.h"
#include "script/command_table.h"

namespace pdehost {
namespace {

CommandOutcome previewCommand(HostSession& session, const std::vector<std::string>& args) {
  PreviewRequest request{args[0], 1};
  if (args.size() > 1) {
    const std::optional<long long> sheet = parseInteger(args[1]);
    if (!sheet || *sheet < 1 || *sheet > 1000000) return CommandOutcome::badScript("preview takes a sheet's number, from 1");
    request.sheet = static_cast<int>(*sheet);
  }
  const Result<PreviewImage> image = previewSheet(session, request);
  if (!image) return failedLine(image.failure());
  const PreviewImage& shown = image.value();
  nlohmann::json line = {{"file", shown.file.string()}, {"sheet", shown.sheet}, {"sheets", shown.sheets},
                         {"width", shown.width},        {"height", shown.height}};
  if (!shown.message.empty()) line["message"] = shown.message;
  return CommandOutcome::result(line);
}

}  // namespace

void addPreviewCommands(CommandTable& table) { table.add({"preview", "FILE.png [SHEET]", 1, 2, previewCommand}); }

}  // namespace pdehost
