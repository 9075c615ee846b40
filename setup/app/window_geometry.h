// The fixed look of the setup window.
#pragma once

namespace qvx {

inline constexpr const char* kWindowTitle = "Install QVX Printer";
// The page view's size; the window is this plus its title area.
inline constexpr int kContentWidth = 560;
inline constexpr int kContentHeight = 640;

}  // namespace qvx
