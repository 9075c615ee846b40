#include "VemraPrintPdeLX4200COPDEChoice.h"

#include "pde_trace.h"

std::shared_ptr<VemraPrintPdeLX4200COPDEChoice> VemraPrintPdeLX4200COPDEChoice::choiceWithChoice(
    ppd_choice_t* choice) {
  return std::make_shared<VemraPrintPdeLX4200COPDEChoice>(choice);
}

VemraPrintPdeLX4200COPDEChoice::VemraPrintPdeLX4200COPDEChoice(ppd_choice_t* choice)
    : choice_(choice) {}

std::optional<std::string> VemraPrintPdeLX4200COPDEChoice::userTitle(StringEncoding encoding) {
  if (!userTitle_ && choice_) userTitle_ = stringWithEncoding(choice_->text, encoding);
  if (!userTitle_) _PDELog(this, "could not create userTitle!");
  return userTitle_;
}

std::optional<std::string> VemraPrintPdeLX4200COPDEChoice::ppdTitle() {
  if (!ppdTitle_ && choice_) ppdTitle_ = stringWithASCII(choice_->choice);
  if (!ppdTitle_) _PDELog(this, "could not create ppdTitle!");
  return ppdTitle_;
}
