#include "choice_array.h"

std::unique_ptr<PDEChoiceArray> ArrayFromPPDOption(ppd_option_t* option) {
  if (!option) return nullptr;
  auto array = std::make_unique<PDEChoiceArray>();
  const int count = option->num_choices > 0 && option->choices ? option->num_choices : 0;
  array->reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    array->push_back(VemraPrintPdeLX4200COPDEChoice::choiceWithChoice(&option->choices[i]));
  }
  return array;
}

PDEChoiceRef FindChoiceForString(const std::optional<std::string>& keyword, const PDEChoiceArray* choices) {
  if (!keyword || !choices) return nullptr;
  for (const PDEChoiceRef& record : *choices) {
    if (record && record->ppdTitle() == keyword) return record;
  }
  return nullptr;
}

std::int64_t GetIndexForString(const std::optional<std::string>& keyword, const PDEChoiceArray* choices) {
  if (!keyword || !choices || choices->empty()) return 0;
  std::int64_t index = 0;
  for (const PDEChoiceRef& record : *choices) {
    if (record && record->ppdTitle() == keyword) return index;
    ++index;
  }
  return static_cast<std::int64_t>(choices->size());
}
