#include "cups/ppd_document.h"

#include <cstring>

#include "toolkit/whole_file.h"
#include "utf8/utf8.h"

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
    ppd_attr_t* attr = ppdx::findAttr(ppd, name.c_str(), entry);
    if (attr != nullptr && attr->text[0] != '\0' && qvx::utf8::isValid(attr->text)) return attr->text;
  }
  return nullptr;
}

// Copies `text` into a label buffer of `size` bytes, cut at a character
// boundary when it is too long, so the label stays valid UTF-8.
void setLabel(char* label, std::size_t size, const char* text) {
  std::string_view rest(text);
  std::size_t length = 0;
  while (length < rest.size()) {
    std::size_t next = qvx::utf8::sequenceLength(rest.substr(length));
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

std::unique_ptr<PpdDocument> PpdDocument::open(const std::filesystem::path& path, std::string* error,
                                               const std::string& shownAs) {
  std::string problem;
  auto fail = [&](std::string why) -> std::unique_ptr<PpdDocument> {
    if (!shownAs.empty() && why.starts_with(path.string())) why = shownAs + why.substr(path.string().size());
    if (error != nullptr) *error = std::move(why);
    return nullptr;
  };
  const int fd = toolkit::openRegularFile(path, &problem, {kLargestFile, "too large to be a printer description"});
  if (fd < 0) return fail(problem);
  // Every language's translations, so that localize() can follow the
  // person's list.
  ppdx::File ppd(ppdx::openDescriptorWithAllTranslations(fd));
  if (!ppd) return fail(path.string() + ": not a valid printer description: " + ppdx::lastError());
  ppdx::markDefaults(ppd.get());
  return std::unique_ptr<PpdDocument>(new PpdDocument(std::move(ppd)));
}

bool PpdDocument::hasChoice(const std::string& keyword, const std::string& choice) const {
  return ppdx::findChoice(ppdx::findOption(ppd_.get(), keyword.c_str()), choice.c_str()) != nullptr;
}

void PpdDocument::localize(const std::vector<std::string>& localizations) {
  for (int i = 0; i < ppd_->num_groups; ++i) localizeGroup(ppd_.get(), &ppd_->groups[i], localizations);
}

std::string PpdDocument::modelName() const { return ppd_->modelname != nullptr ? ppd_->modelname : ""; }

bool PpdDocument::markIfNoNewConflict(const std::string& keyword, const std::string& choice) {
  return ppdx::markIfNoNewConflict(ppd_.get(), keyword, choice);
}

}  // namespace pdehost
