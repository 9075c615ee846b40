// A button: a push button, a toggle button or a checkbox (switch).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/control.h"

namespace toolkit {

enum class ButtonType { push, toggle, checkbox };

inline constexpr std::int64_t kOffState = 0;
inline constexpr std::int64_t kOnState = 1;

class Button : public Control {
 public:
  using Control::Control;
  ViewKind kind() const override { return ViewKind::button; }

  ButtonType buttonType() const { return type_; }
  void setButtonType(ButtonType type) {
    type_ = type;
    didChange();
  }

  // 0 off, 1 on. A button has two states: any value other than 0 is stored
  // as 1.
  std::int64_t state() const { return state_; }
  void setState(std::int64_t state) {
    state_ = state == kOffState ? kOffState : kOnState;
    didChange();
  }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) {
    title_ = std::move(title);
    didChange();
  }

  // Shown while the state is off (image) and while it is on (alternate image).
  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) {
    image_ = std::move(image);
    didChange();
  }
  const std::optional<Image>& alternateImage() const { return alternateImage_; }
  void setAlternateImage(std::optional<Image> image) {
    alternateImage_ = std::move(image);
    didChange();
  }

  // A person's click: nothing when disabled (false); a checkbox or toggle
  // flips its state; then the action is sent.
  bool performClick();

 private:
  ButtonType type_ = ButtonType::push;
  std::int64_t state_ = kOffState;
  std::string title_;
  std::optional<Image> image_;
  std::optional<Image> alternateImage_;
};

}  // namespace toolkit
