// A text field: a label (tag 0, not editable) or an entry field.
#pragma once

#include <string>

#include "toolkit/control.h"

namespace toolkit {

class TextField : public Control {
 public:
  using Control::Control;
  ViewKind kind() const override { return ViewKind::textField; }

  const std::string& stringValue() const { return text_; }
  void setStringValue(std::string text) {
    text_ = std::move(text);
    didChange();
  }

  bool isEditable() const { return editable_; }
  void setEditable(bool editable) {
    editable_ = editable;
    didChange();
  }
  bool isSelectable() const { return selectable_; }
  void setSelectable(bool selectable) { selectable_ = selectable; }

  const Color& textColor() const { return color_; }
  void setTextColor(const Color& color) {
    color_ = color;
    didChange();
  }

 private:
  std::string text_;
  bool editable_ = false;
  bool selectable_ = false;
  Color color_ = Color::black();
};

}  // namespace toolkit
