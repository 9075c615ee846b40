// Keeps the setup page view to its resources folder. Navigation anywhere else
// (the page's own frames and new windows included) is refused when WebKit asks
// for the policy decision; every other load (scripts, images, styles, frames,
// fetches) is refused by a content rule list compiled for the folder. The page
// loads only once those rules are in place; if they cannot be compiled the page
// is not loaded at all, rather than loaded unguarded.
#pragma once

#include <webkit2/webkit2.h>

#include <filesystem>

namespace qvx {

void loadConfinedPage(WebKitWebView* view, const std::filesystem::path& folder, const std::filesystem::path& page);

}  // namespace qvx
