// One choice of one printer-description option, with its label and keyword
// made on first request and kept.
#pragma once

#include <cups/ppd.h>

#include <memory>
#include <optional>
#include <string>

#include "text_encoding.h"

class VemraPrintPdeLX4200COPDEChoice {
 public:
  static std::shared_ptr<VemraPrintPdeLX4200COPDEChoice> choiceWithChoice(ppd_choice_t* choice);
  explicit VemraPrintPdeLX4200COPDEChoice(ppd_choice_t* choice);  // initWithChoice

  // The label converted from `encoding` on the first successful call; later
  // calls return the kept label whatever encoding they pass. None when the
  // label cannot be converted (the next call tries again).
  std::optional<std::string> userTitle(StringEncoding encoding);
  // The keyword as ASCII, kept after the first successful call.
  std::optional<std::string> ppdTitle();
  ppd_choice_t* choice() const { return choice_; }

 private:
  // The fields carry a trailing underscore only because C++ cannot give a
  // field and a member function one name.
  std::optional<std::string> userTitle_;
  std::optional<std::string> ppdTitle_;
  ppd_choice_t* const choice_;  // not owned: belongs to the host's description
};

using PDEChoiceRef = std::shared_ptr<VemraPrintPdeLX4200COPDEChoice>;
