#include "page_options.h"

#include <strings.h>

#include <algorithm>
#include <array>

#include "page_words.h"
#include "ppd_adapter.h"

namespace pdehost::page {
namespace {

constexpr std::string_view kInstallableGroup = "InstallableOptions";

bool sameKeyword(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool contains(const std::vector<std::string>& keywords, std::string_view keyword) {
  return std::ranges::any_of(keywords, [&](const std::string& k) { return sameKeyword(k, keyword); });
}

// The ways vendor descriptions spell an installable part that is absent:
// "False", "None", "NotInstalled", "Not_Installed", "NotInstalledM".
bool meansNotInstalled(std::string_view choice) {
  constexpr std::array<std::string_view, 2> kAbsent = {"False", "None"};
  if (std::ranges::any_of(kAbsent, [&](std::string_view absent) { return sameKeyword(absent, choice); })) return true;
  std::string squeezed;
  for (const char c : choice) {
    if (c != '_' && c != '-') squeezed += c;
  }
  return sameKeyword(std::string_view(squeezed).substr(0, 12), "NotInstalled");
}

// Calls `visit(group, option)` for every option of the description, the
// options of subgroups included.
template <typename Visit>
void eachOption(ppd_group_t* group, const std::string& groupName, Visit& visit) {
  for (int i = 0; i < group->num_options; ++i) visit(groupName, group->options[i]);
  for (int i = 0; i < group->num_subgroups; ++i) eachOption(&group->subgroups[i], groupName, visit);
}

template <typename Visit>
void eachOption(ppd_file_t* ppd, Visit visit) {
  for (int i = 0; i < ppd->num_groups; ++i) eachOption(&ppd->groups[i], ppd->groups[i].name, visit);
}

std::vector<std::string> installableKeywords(ppd_file_t* ppd) {
  std::vector<std::string> keywords;
  eachOption(ppd, [&](const std::string& group, ppd_option_t& option) {
    if (group == kInstallableGroup) keywords.emplace_back(option.keyword);
  });
  return keywords;
}

// The description's text without the blanks some vendors put around it.
std::string textOf(const char* text, const char* keyword) {
  std::string_view shown = (text && *text) ? text : keyword;
  while (!shown.empty() && shown.front() == ' ') shown.remove_prefix(1);
  while (!shown.empty() && shown.back() == ' ') shown.remove_suffix(1);
  return std::string(shown.empty() ? keyword : shown);
}

std::optional<Blocker> blockerOf(ppd_file_t* ppd, const char* keyword, const char* choice,
                                 const std::vector<std::string>& installable) {
  const auto conflicts = ppdx::conflictsWith(ppd, keyword, choice);
  if (conflicts.empty()) return std::nullopt;
  // An installed part missing says most: name it first.
  auto chosen =
      std::ranges::find_if(conflicts, [&](const ppdx::KeywordChoice& c) { return contains(installable, c.keyword); });
  if (chosen == conflicts.end()) chosen = conflicts.begin();
  Blocker blocker{chosen->keyword, chosen->keyword, chosen->choice, chosen->choice, contains(installable, chosen->keyword)};
  if (ppd_option_t* other = ppdx::findOption(ppd, chosen->keyword.c_str())) {
    blocker.optionText = textOf(other->text, other->keyword);
    if (ppd_choice_t* c = ppdx::findChoice(other, chosen->choice.c_str())) blocker.choiceText = textOf(c->text, c->choice);
  }
  return blocker;
}

// With the blockers of each choice when `installable` (the description's
// installable keywords) is given.
PageOption pageOptionOf(ppd_file_t* ppd, ppd_option_t& option, const std::vector<std::string>* installable) {
  PageOption page;
  page.keyword = option.keyword;
  page.text = textOf(option.text, option.keyword);
  page.control = option.ui == PPD_UI_BOOLEAN ? OptionControl::Checkbox : OptionControl::Popup;
  ppd_choice_t* marked = ppdx::findMarkedChoice(ppd, option.keyword);
  page.current = marked ? marked->choice : option.defchoice;
  for (int i = 0; i < option.num_choices; ++i) {
    ppd_choice_t& choice = option.choices[i];
    if (sameKeyword(option.keyword, "PageSize") && sameKeyword(choice.choice, "Custom")) continue;
    PageChoice entry{choice.choice, textOf(choice.text, choice.choice), std::nullopt};
    if (installable) entry.blockedBy = blockerOf(ppd, option.keyword, choice.choice, *installable);
    page.choices.push_back(std::move(entry));
  }
  return page;
}

const PageOption* findIn(const std::vector<PageOption>& options, std::string_view keyword) {
  const auto found = std::ranges::find_if(options, [&](const PageOption& o) { return sameKeyword(o.keyword, keyword); });
  return found == options.end() ? nullptr : &*found;
}

}  // namespace

PageOptionModel readPageOptions(ppd_file_t* ppd, const std::vector<std::string>& shownElsewhere) {
  PageOptionModel model;
  if (ppd == nullptr) return model;
  const std::vector<std::string> installable = installableKeywords(ppd);
  eachOption(ppd, [&](const std::string& group, ppd_option_t& option) {
    if (option.num_choices == 0 || sameKeyword(option.keyword, "PageRegion") || contains(shownElsewhere, option.keyword))
      return;
    if (group == kInstallableGroup)
      model.installed.push_back(pageOptionOf(ppd, option, nullptr));
    else
      model.options.push_back(pageOptionOf(ppd, option, &installable));
  });
  return model;
}

std::string whyNotAllowed(const PageOption& option, const PageChoice& choice, std::string_view language) {
  if (!choice.blockedBy) return {};
  const Blocker& b = *choice.blockedBy;
  const std::string subject =
      option.control == OptionControl::Checkbox ? option.text : option.text + ": " + choice.text;
  if (b.installable && meansNotInstalled(b.choice))
    return pageWords(language, "{} needs the {}, which is not installed", {option.text, b.optionText});
  if (b.installable)
    return pageWords(language, "{} is not possible with the installed option {}: {}", {subject, b.optionText, b.choiceText});
  return pageWords(language, "{} is not possible with {}: {}", {subject, b.optionText, b.choiceText});
}

std::optional<Refusal> choosePageOption(ppd_file_t* ppd, const std::vector<std::string>& shownElsewhere,
                                        const std::string& keyword, const std::string& choice,
                                        std::string_view language) {
  const PageOptionModel model = readPageOptions(ppd, shownElsewhere);
  if (const PageOption* installed = findIn(model.installed, keyword))
    return Refusal{ChoiceRefusal::InstalledOption,
                   pageWords(language, "\"{}\" is an installed option: the printer's administrator sets it",
                             {installed->text})};
  const PageOption* option = findIn(model.options, keyword);
  if (option == nullptr)
    return Refusal{ChoiceRefusal::UnknownOption, pageWords(language, "the printer has no page option \"{}\"", {keyword})};
  const auto entry =
      std::ranges::find_if(option->choices, [&](const PageChoice& c) { return sameKeyword(c.keyword, choice); });
  if (entry == option->choices.end())
    return Refusal{ChoiceRefusal::UnknownChoice, pageWords(language, "\"{}\" has no choice \"{}\"", {option->text, choice})};
  if (entry->blockedBy) return Refusal{ChoiceRefusal::Conflict, whyNotAllowed(*option, *entry, language)};
  ppdx::markOption(ppd, option->keyword.c_str(), entry->keyword.c_str());
  return std::nullopt;
}

}  // namespace pdehost::page
