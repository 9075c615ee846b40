#include "control_categories.h"

void myLX4200COHilite(toolkit::TextField* field, bool dim) {
  if (!field) return;
  field->setTextColor(dim ? toolkit::Color::grey() : toolkit::Color::black());
  if (field->tag() == 0) return;
  field->setEditable(!dim);
  field->setSelectable(!dim);
  if (toolkit::Window* window = field->window()) window->makeFirstResponder(dim ? nullptr : field);
}

void myLX4200COHilite(toolkit::Control* control, bool dim) {
  if (!control) return;
  if (auto* field = dynamic_cast<toolkit::TextField*>(control)) {
    myLX4200COHilite(field, dim);
    return;
  }
  control->setEnabled(!dim);
}

void myLX4200SelectItemAtIndex(toolkit::PopUpButton* popup, std::int64_t index) {
  if (!popup) return;
  popup->selectItemAtIndex(index);
  popup->sendAction();
}

void InitPopUpFromArray(toolkit::PopUpButton* popup, const PDEChoiceArray* choices, StringEncoding encoding) {
  if (!popup) return;
  popup->removeAllItems();
  if (!choices) return;
  for (const PDEChoiceRef& record : *choices) {
    std::string title = record ? record->userTitle(encoding).value_or("") : std::string();
    popup->addItem(toolkit::MenuItem{std::move(title), true, record});
  }
}
