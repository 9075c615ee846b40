// Small printer descriptions written by the tests and opened with libcups.
#pragma once

#include <cups/ppd.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testppd {

struct Option {
  std::string keyword;
  std::string label;  // raw bytes, in the file's encoding
  std::string ui = "PickOne";  // "Boolean", "PickOne" or "PickMany"
  std::vector<std::pair<std::string, std::string>> choices;  // keyword, label
  std::string defaultChoice;  // first choice when empty
};

struct Description {
  std::optional<std::string> languageEncoding = "ISOLatin1";  // none: no keyword
  std::string modelName = "Vemra LX4200";
  std::vector<Option> options;
  std::vector<std::string> extraLines;  // e.g. "*VMHDDOption: False"
};

std::string ppdText(const Description& description);

// A description written to a temporary file and opened with libcups; closed
// and removed on destruction.
class OpenPPD {
 public:
  explicit OpenPPD(const Description& description);
  explicit OpenPPD(const std::string& path);  // an existing file, kept
  ~OpenPPD();
  OpenPPD(const OpenPPD&) = delete;
  OpenPPD& operator=(const OpenPPD&) = delete;

  ppd_file_t* get() const { return ppd_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool remove_ = false;
  ppd_file_t* ppd_ = nullptr;
};

// Common options of the panel's printer, with plain ASCII labels.
Option colorMode();      // VMCMode: 3 choices
Option printPriority();  // VMCPPriority: 2 choices
Option neutralGray();    // VMCNGray: 3 choices
Option pureBlack();      // VMCPureB: Boolean False/True
Option tonerSave();      // VMSaveToner: Boolean False/True
Option screening();      // VMCScreen: 3 choices
Option trapping();       // VMCTrapping: 3 choices
Option sharpness();      // VMCSharpness: 3 choices
Option smoothing();      // VMSmoothing: Boolean True/False
std::vector<Option> allNine();

}  // namespace testppd
