// A view that shows one image.
#pragma once

#include <optional>

#include "toolkit/view.h"

namespace toolkit {

class ImageView : public View {
 public:
  using View::View;
  ViewKind kind() const override { return ViewKind::imageView; }

  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) {
    image_ = std::move(image);
    didChange();
  }

 private:
  std::optional<Image> image_;
};

}  // namespace toolkit
