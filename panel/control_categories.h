// What every rule and preset does to a control: dim or enable it, and select a
// popup item as a person would (the popup's handler runs).
#pragma once

#include <cstdint>
#include <memory>

#include "choice_array.h"
#include "text_encoding.h"
#include "toolkit/controls.h"

// `dim` true dims the control, false enables it. A text field with tag 0 (a
// label) only turns grey or black; one with another tag (an entry field) also
// stops or starts being editable, selectable and its window's first responder.
// Any other control is disabled or enabled. A null control is skipped.
void myLX4200COHilite(toolkit::Control* control, bool dim);
void myLX4200COHilite(toolkit::TextField* field, bool dim);
template <typename T>
void myLX4200COHilite(const std::shared_ptr<T>& control, bool dim) {
  myLX4200COHilite(control.get(), dim);
}

// Selects the item at `index`, then sends the popup's own action to its own
// target exactly as a person's pick would. An index outside the items leaves
// the selection as it was; the action is sent all the same.
void myLX4200SelectItemAtIndex(toolkit::PopUpButton* popup, std::int64_t index);
inline void myLX4200SelectItemAtIndex(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t index) {
  myLX4200SelectItemAtIndex(popup.get(), index);
}

// Replaces the popup's items with one item per record, titled with the
// record's label in `encoding` (empty when it cannot be converted, so indices
// stay aligned with the records), the record as represented object.
PDE_EXPORT void InitPopUpFromArray(toolkit::PopUpButton* popup, const PDEChoiceArray* choices, StringEncoding encoding);
