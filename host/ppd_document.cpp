// Every libcups PPD call is deprecated but still works; they are kept in this
// one file, which alone silences that warning.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "ppd_document.h"

#include <cstdio>

#include "input_file.h"

namespace pdehost {

std::unique_ptr<PpdDocument> PpdDocument::open(const std::filesystem::path& path, std::string* error) {
  if (auto notAFile = whyNotAFile(path)) {
    if (error != nullptr) *error = *notAFile;
    return nullptr;
  }
  FILE* probe = std::fopen(path.c_str(), "rb");
  if (probe == nullptr) {
    if (error != nullptr) *error = path.string() + ": cannot be opened";
    return nullptr;
  }
  std::fclose(probe);
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (ppd == nullptr) {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    if (error != nullptr)
      *error = path.string() + ": not a valid printer description: " + ppdErrorString(status) + " on line " +
               std::to_string(line);
    return nullptr;
  }
  ppdMarkDefaults(ppd);
  return std::unique_ptr<PpdDocument>(new PpdDocument(ppd));
}

PpdDocument::~PpdDocument() { ppdClose(ppd_); }

bool PpdDocument::hasChoice(const std::string& keyword, const std::string& choice) const {
  ppd_option_t* option = ppdFindOption(ppd_, keyword.c_str());
  return option != nullptr && ppdFindChoice(option, choice.c_str()) != nullptr;
}

std::string PpdDocument::modelName() const { return ppd_->modelname != nullptr ? ppd_->modelname : ""; }

bool PpdDocument::markIfNoNewConflict(const std::string& keyword, const std::string& choice) {
  ppd_option_t* option = ppdFindOption(ppd_, keyword.c_str());
  if (option == nullptr || ppdFindChoice(option, choice.c_str()) == nullptr) return false;
  ppd_choice_t* before = ppdFindMarkedChoice(ppd_, keyword.c_str());
  std::string previous = before != nullptr ? before->choice : option->defchoice;
  int conflictsBefore = ppdConflicts(ppd_);
  ppdMarkOption(ppd_, keyword.c_str(), choice.c_str());
  if (ppdConflicts(ppd_) > conflictsBefore) {
    ppdMarkOption(ppd_, keyword.c_str(), previous.c_str());
    return false;
  }
  return true;
}

}  // namespace pdehost
