#include "toolkit/geometry.h"

#include <cstdio>

namespace toolkit {

std::string Color::name() const {
  if (*this == black()) return "black";
  if (*this == grey()) return "grey";
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
  return text;
}

}  // namespace toolkit
