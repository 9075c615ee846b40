// What the setup page may load: files inside its resources folder, and nothing
// else, so that no content from elsewhere can ever post to the page's channel.
// Plain string logic; the WebKitGTK wiring is in page_guard.
#pragma once

#include <string>
#include <string_view>

namespace qvx {

// True when `uri` is a file inside the folder whose file URI is `folderUri`
// (as g_filename_to_uri writes it): the folder's URI, a slash, then a path
// with no "." or ".." segment, plain or percent-encoded.
bool isInsideFolder(std::string_view uri, std::string_view folderUri);

// A WebKit content rule list (JSON) that blocks every load except files inside
// the folder and data: URIs (images and fonts inlined in the page).
std::string contentRulesForFolder(std::string_view folderUri);

}  // namespace qvx
