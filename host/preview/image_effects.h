// What the panel's image-quality choices do to a sheet on screen: an
// approximation of the printed colour, applied the same way wherever a sheet
// is shown.
#pragma once

#include <cairo.h>

#include <functional>
#include <optional>
#include <string>

namespace pdehost::preview {

enum class NeutralGray { Off, Light, Medium, Strong, BlackOnly };

struct ImageEffects {
  bool grayscale = false;  // VMCMode=Gray
  bool tonerSave = false;  // VMSaveToner=True
  bool pureBlack = false;  // VMCPureB=True
  NeutralGray neutralGray = NeutralGray::Off;  // VMCNGray
  bool operator==(const ImageEffects&) const = default;
};

// Reads the effects from a job's print settings: `value` answers a keyword's
// choice keyword, or nothing when the job does not set it.
ImageEffects effectsFromSettings(const std::function<std::optional<std::string>(const std::string&)>& value);

// Changes an RGB24 or opaque ARGB32 image in place.
void applyEffects(cairo_surface_t* image, const ImageEffects& effects);

}  // namespace pdehost::preview
