// The printer's own page options, read generically from its description:
// every UI option that the Image Quality panel does not show itself, each
// as a popup (PickOne, PickMany) or a checkbox (Boolean), with its choices
// and what stands against each choice under the description's constraints.
// The "InstallableOptions" group describes the printer as its queue is set
// up (an administrator sets it with lpadmin -o): it is listed apart, and a
// job never chooses it.
#pragma once

#include <cups/ppd.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdehost::page {

enum class OptionControl { Popup, Checkbox };

// The other option, with its choice as marked now, that rules a choice out.
struct Blocker {
  std::string keyword;
  std::string optionText;
  std::string choice;
  std::string choiceText;
  bool installable = false;
};

struct PageChoice {
  std::string keyword;
  std::string text;  // as localised in the description
  std::optional<Blocker> blockedBy;
};

struct PageOption {
  std::string keyword;
  std::string text;
  OptionControl control = OptionControl::Popup;
  std::vector<PageChoice> choices;
  std::string current;  // the keyword of the choice marked now
};

struct PageOptionModel {
  std::vector<PageOption> options;    // the job's choices, in the description's order
  std::vector<PageOption> installed;  // the printer as set up; read-only
};

// Reads the options of `ppd` with its marks as they are now, leaving out the
// `shownElsewhere` keywords, PageRegion (it follows PageSize) and the
// "Custom" page size (it needs dimensions).
PageOptionModel readPageOptions(ppd_file_t* ppd, const std::vector<std::string>& shownElsewhere);

// Why `choice` of `option` cannot be chosen now, in words of `language`
// ("Two-Sided needs the Duplex Unit, which is not installed"); empty when it
// can.
std::string whyNotAllowed(const PageOption& option, const PageChoice& choice, std::string_view language);

enum class ChoiceRefusal { UnknownOption, UnknownChoice, InstalledOption, Conflict };
struct Refusal {
  ChoiceRefusal kind;
  std::string words;  // in the language asked for
};

// Marks `choice` for the page option `keyword`, or leaves every mark as it
// was and says why not.
std::optional<Refusal> choosePageOption(ppd_file_t* ppd, const std::vector<std::string>& shownElsewhere,
                                        const std::string& keyword, const std::string& choice,
                                        std::string_view language);

// The keywords of the Image Quality panel's own options.
const std::vector<std::string>& panelKeywords();

}  // namespace pdehost::page
