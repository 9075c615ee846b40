// Plain value types shared by the control model: frames, colours and images.
#pragma once

#include <cstdint>
#include <string>

namespace toolkit {

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// A frame in points, in the coordinates of the superview: origin at the
// superview's lower-left corner, y growing upwards.
struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// An opaque RGB colour. Labels switch between black and grey when dimmed.
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  static constexpr Color black() { return {0, 0, 0}; }
  static constexpr Color grey() { return {0x80, 0x80, 0x80}; }

  // "black", "grey", or "#rrggbb" for any other colour.
  std::string name() const;
  friend bool operator==(const Color&, const Color&) = default;
};

// An icon of the desktop's icon theme (a freedesktop icon name such as
// "changes-allow") drawn at a size in points.
struct Image {
  std::string iconName;
  Size size;
  friend bool operator==(const Image&, const Image&) = default;
};

}  // namespace toolkit
