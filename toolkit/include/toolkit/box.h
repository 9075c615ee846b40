// A titled box framing a group of controls (its subviews).
#pragma once

#include <string>

#include "toolkit/view.h"

namespace toolkit {

class Box : public View {
 public:
  using View::View;
  ViewKind kind() const override { return ViewKind::box; }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) {
    title_ = std::move(title);
    didChange();
  }

 private:
  std::string title_;
};

}  // namespace toolkit
