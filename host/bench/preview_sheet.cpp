// preview-sheet: renders one sheet of a job's preview to a PNG and prints
// one JSON line with the number of sheets and the image's size. A whole
// process, so that its time and peak memory compare with other tools'.
//
//   preview-sheet [options] OUT.png SHEET FILE...
//     --paper W,H[,LEFT,BOTTOM,RIGHT,TOP]  paper and printable area in points (A4)
//     --paper-name NAME --ppd FILE         for laying out plain text as CUPS does
//     --landscape --number-up N --page-ranges R --reverse --fit
//     --set KEYWORD=CHOICE                 a print setting (VMCMode=Gray, ...)
//     --dpi D                              resolution of the PNG (72)
#include <cstdio>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "job_sheets.h"

using namespace pdehost::preview;

namespace {

int usage(const char* why) {
  std::fprintf(stderr, "preview-sheet: %s\nusage: preview-sheet [options] OUT.png SHEET FILE...\n", why);
  return 2;
}

bool parsePaper(const std::string& text, Paper* paper) {
  std::istringstream in(text);
  std::vector<double> v;
  for (std::string part; std::getline(in, part, ',');) v.push_back(std::atof(part.c_str()));
  if (v.size() != 2 && v.size() != 6) return false;
  *paper = Paper{v[0], v[1], 0, 0, v[0], v[1], paper->name};
  if (v.size() == 6) std::tie(paper->left, paper->bottom, paper->right, paper->top) = std::tie(v[2], v[3], v[4], v[5]);
  return paper->width > 0 && paper->height > 0;
}

}  // namespace

int main(int argc, char** argv) {
  PreviewJob job;
  std::map<std::string, std::string> settings;
  double dpi = 72;
  std::vector<std::string> rest;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--paper") {
      if (!parsePaper(next(), &job.paper)) return usage("--paper takes W,H or W,H,LEFT,BOTTOM,RIGHT,TOP");
    } else if (a == "--paper-name") {
      job.paper.name = next();
    } else if (a == "--ppd") {
      job.ppdPath = next();
    } else if (a == "--landscape") {
      job.orientation = Orientation::Landscape;
    } else if (a == "--number-up") {
      job.numberUp = std::atoi(next().c_str());
    } else if (a == "--page-ranges") {
      job.pageRanges = next();
    } else if (a == "--reverse") {
      job.reverseOrder = true;
    } else if (a == "--fit") {
      job.fitToPage = true;
    } else if (a == "--set") {
      const std::string s = next();
      const std::size_t eq = s.find('=');
      if (eq == std::string::npos) return usage("--set takes KEYWORD=CHOICE");
      settings[s.substr(0, eq)] = s.substr(eq + 1);
    } else if (a == "--dpi") {
      dpi = std::atof(next().c_str());
      if (dpi <= 0 || dpi > 1200) return usage("--dpi takes a resolution from 1 to 1200");
    } else {
      rest.push_back(a);
    }
  }
  if (rest.size() < 3) return usage("an output file, a sheet number and at least one document are needed");
  const int sheet = std::atoi(rest[1].c_str());
  for (std::size_t i = 2; i < rest.size(); ++i) job.documents.push_back({rest[i], sniffDocumentType(rest[i])});
  job.effects = effectsFromSettings([&](const std::string& keyword) -> std::optional<std::string> {
    auto found = settings.find(keyword);
    return found == settings.end() ? std::nullopt : std::optional(found->second);
  });

  JobSheets sheets(job);
  nlohmann::json line = {{"sheets", sheets.sheetCount()}};
  if (!sheets.problem().empty()) line["problem"] = sheets.problem();
  if (sheet < 1 || sheet > sheets.sheetCount()) {
    line["error"] = "no sheet " + rest[1];
    std::puts(line.dump().c_str());
    return 1;
  }
  const int width = static_cast<int>(sheets.plan(sheet - 1).width * dpi / 72 + 0.5);
  RenderedSheet rendered = sheets.render(sheet - 1, width);
  applyEffects(rendered.image.get(), job.effects);
  std::string error;
  if (!writePng(rendered.image, rest[0], &error)) {
    line["error"] = error;
    std::puts(line.dump().c_str());
    return 1;
  }
  line["width"] = cairo_image_surface_get_width(rendered.image.get());
  line["height"] = cairo_image_surface_get_height(rendered.image.get());
  if (!rendered.message.empty()) line["message"] = rendered.message;
  std::puts(line.dump().c_str());
  return 0;
}
