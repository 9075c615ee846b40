#include "cups/test_page.h"

#include <ctime>

namespace pdehost {
namespace {

// PostScript strings keep "(", ")" and "\" only escaped.
std::string psString(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) ? '?' : c;
  }
  return out;
}

}  // namespace

std::string testPageText(const std::string& printer, const std::string& when) {
  std::string ps;
  ps += "%!PS-Adobe-3.0\n%%Title: pdehost test page\n%%Creator: pdehost\n%%Pages: 1\n%%EndComments\n";
  ps += "%%Page: 1 1\n";
  ps += "/Helvetica-Bold findfont 24 scalefont setfont\n72 720 moveto (pdehost test page) show\n";
  ps += "/Helvetica findfont 12 scalefont setfont\n";
  ps += "72 690 moveto (Printer: " + psString(printer) + ") show\n";
  ps += "72 672 moveto (Made: " + psString(when) + ") show\n";
  // Four colour patches, to see the colour options at work.
  const char* const patches[] = {"1 0 0 0", "0 1 0 0", "0 0 1 0", "0 0 0 1"};
  for (int i = 0; i < 4; ++i) {
    ps += std::string(patches[i]) + " setcmykcolor " + std::to_string(72 + 100 * i) + " 540 90 90 rectfill\n";
  }
  ps += "showpage\n%%EOF\n";
  return ps;
}

toolkit::TemporaryFile writeTestPage(const std::string& printer, std::string* error) {
  std::time_t now = std::time(nullptr);
  char when[64] = "";
  struct tm local {};
  if (localtime_r(&now, &local) != nullptr) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S %z", &local);
  std::string problem;
  toolkit::TemporaryFile page =
      toolkit::TemporaryFile::create(toolkit::temporaryFolder(), "pdehost-test-page", testPageText(printer, when), &problem);
  if (!page && error != nullptr) *error = "the test page cannot be written: " + problem;
  return page;
}

}  // namespace pdehost
