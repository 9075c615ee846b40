// Every libcups PPD call is deprecated but still works; they are kept in this
// one file, which alone silences that warning.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "ppd_document.h"

#include <cstdio>
#include <cstring>

#include "input_file.h"
#include "toolkit/utf8.h"

// ppdOpenFile() keeps only the translations of libcups' own language, which
// it takes from the locale alone (never from LANGUAGE); this libcups function,
// the one cupstestppd opens files with, keeps every language's, so that
// localize() can follow the person's list. Exported by libcups 2 but
// declared only in its private header.
extern "C" {
enum PpdLocalization { kPpdLocalizationDefault, kPpdLocalizationIccProfiles, kPpdLocalizationNone, kPpdLocalizationAll };
ppd_file_t* _ppdOpenFile(const char* filename, PpdLocalization localization);
}

namespace pdehost {
namespace {

// The text of the first "<localization>.<keyword> <entry>/text" that the
// description has, trying each localisation before "en"; null when none has it.
const char* translation(ppd_file_t* ppd, const std::vector<std::string>& localizations, const char* keyword,
                        const char* entry) {
  for (const auto& localization : localizations) {
    if (localization == "en") break;
    std::string name = localization + "." + keyword;
    if (name.size() >= PPD_MAX_NAME) continue;
    ppd_attr_t* attr = ppdFindAttr(ppd, name.c_str(), entry);
    if (attr != nullptr && attr->text[0] != '\0' && toolkit::utf8::isValid(attr->text)) return attr->text;
  }
  return nullptr;
}

// Copies `text` into a label buffer of `size` bytes, cut at a character
// boundary when it is too long, so the label stays valid UTF-8.
void setLabel(char* label, std::size_t size, const char* text) {
  std::string_view rest(text);
  std::size_t length = 0;
  while (length < rest.size()) {
    std::size_t next = toolkit::utf8::sequenceLength(rest.substr(length));
    if (next == 0 || length + next >= size) break;
    length += next;
  }
  std::memcpy(label, text, length);
  label[length] = '\0';
}

void localizeGroup(ppd_file_t* ppd, ppd_group_t* group, const std::vector<std::string>& localizations) {
  if (const char* text = translation(ppd, localizations, "Translation", group->name))
    setLabel(group->text, sizeof group->text, text);
  for (int i = 0; i < group->num_options; ++i) {
    ppd_option_t* option = &group->options[i];
    if (const char* text = translation(ppd, localizations, "Translation", option->keyword))
      setLabel(option->text, sizeof option->text, text);
    for (int j = 0; j < option->num_choices; ++j) {
      ppd_choice_t* choice = &option->choices[j];
      if (const char* text = translation(ppd, localizations, option->keyword, choice->choice))
        setLabel(choice->text, sizeof choice->text, text);
    }
  }
  for (int i = 0; i < group->num_subgroups; ++i) localizeGroup(ppd, &group->subgroups[i], localizations);
}

}  // namespace

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
  ppd_file_t* ppd = _ppdOpenFile(path.c_str(), kPpdLocalizationAll);
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

void PpdDocument::localize(const std::vector<std::string>& localizations) {
  for (int i = 0; i < ppd_->num_groups; ++i) localizeGroup(ppd_, &ppd_->groups[i], localizations);
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
