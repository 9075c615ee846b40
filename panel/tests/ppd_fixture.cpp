#include "ppd_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "ppd_adapter.h"

namespace testppd {

std::string ppdText(const Description& d) {
  std::string t;
  t += "*PPD-Adobe: \"4.3\"\n";
  t += "*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n";
  if (d.languageEncoding) t += "*LanguageEncoding: " + *d.languageEncoding + "\n";
  t += "*PCFileName: \"LX4200.PPD\"\n*Manufacturer: \"Vemra\"\n*Product: \"(LX4200)\"\n";
  t += "*ModelName: \"" + d.modelName + "\"\n*ShortNickName: \"Vemra LX4200\"\n";
  t += "*NickName: \"Vemra LX4200\"\n*PSVersion: \"(3010.000) 0\"\n";
  for (const std::string& line : d.extraLines) t += line + "\n";
  t += "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n";
  t += "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n";
  for (const Option& o : d.options) {
    t += "*OpenUI *" + o.keyword + "/" + o.label + ": " + o.ui + "\n";
    const std::string def = o.defaultChoice.empty() && !o.choices.empty() ? o.choices.front().first
                                                                           : o.defaultChoice;
    t += "*Default" + o.keyword + ": " + def + "\n";
    for (const auto& [keyword, label] : o.choices) {
      t += "*" + o.keyword + " " + keyword + "/" + label + ": \"\"\n";
    }
    t += "*CloseUI: *" + o.keyword + "\n";
  }
  return t;
}

OpenPPD::OpenPPD(const Description& description) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tintpanel-XXXXXX.ppd").string();
  const int fd = mkstemps(pattern.data(), 4);
  if (fd < 0) throw std::runtime_error("mkstemps failed");
  const std::string text = ppdText(description);
  const ssize_t written = ::write(fd, text.data(), text.size());
  ::close(fd);
  path_ = pattern;
  remove_ = true;
  if (written != static_cast<ssize_t>(text.size())) throw std::runtime_error("short write");
  ppd_ = ppdx::openFile(path_.c_str());
}

OpenPPD::OpenPPD(const std::string& path) : path_(path) { ppd_ = ppdx::openFile(path_.c_str()); }

OpenPPD::~OpenPPD() {
  ppdx::close(ppd_);
  if (remove_) std::remove(path_.c_str());
}

Option colorMode() {
  return {"VMCMode", "Color Mode", "PickOne", {{"Auto", "Auto Color"}, {"Color", "Color"}, {"Gray", "Grayscale"}}, "Auto"};
}
Option printPriority() {
  return {"VMCPPriority", "Print Priority", "PickOne", {{"Text", "Text"}, {"Photo", "Photo"}}, "Photo"};
}
Option neutralGray() {
  return {"VMCNGray", "Neutral Gray", "PickOne", {{"Off", "Off"}, {"Low", "Low"}, {"High", "High"}}, "Off"};
}
Option pureBlack() {
  return {"VMCPureB", "Pure Black Print", "Boolean", {{"False", "Off"}, {"True", "On"}}, "True"};
}
Option tonerSave() {
  return {"VMSaveToner", "Toner Save", "Boolean", {{"False", "Off"}, {"True", "On"}}, "False"};
}
Option screening() {
  return {"VMCScreen", "Screening", "PickOne", {{"Auto", "Auto"}, {"Fine", "Fine"}, {"Smooth", "Smooth"}}, "Auto"};
}
Option trapping() {
  return {"VMCTrapping", "Trapping", "PickOne", {{"Off", "Off"}, {"Weak", "Weak"}, {"Strong", "Strong"}}, "Off"};
}
Option sharpness() {
  return {"VMCSharpness", "Sharpness", "PickOne", {{"Normal", "Normal"}, {"Sharp", "Sharp"}, {"Soft", "Soft"}}, "Normal"};
}
Option smoothing() {
  return {"VMSmoothing", "Smoothing", "Boolean", {{"True", "On"}, {"False", "Off"}}, "True"};
}
std::vector<Option> allNine() {
  return {colorMode(), printPriority(), neutralGray(), pureBlack(), tonerSave(),
          screening(), trapping(), sharpness(), smoothing()};
}

}  // namespace testppd
