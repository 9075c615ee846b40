#include "detach_command.h"

namespace qvx {

namespace {
constexpr std::string_view kVolumesPrefix = "/Volumes/";
}

std::optional<std::string> volumePathForBundle(std::string_view bundlePath) {
  if (!bundlePath.starts_with(kVolumesPrefix)) return std::nullopt;

  // The first non-empty component is always "Volumes"; the second names the volume.
  std::vector<std::string_view> components;
  std::size_t pos = 0;
  while (pos <= bundlePath.size() && components.size() < 2) {
    std::size_t slash = bundlePath.find('/', pos);
    if (slash == std::string_view::npos) slash = bundlePath.size();
    if (slash > pos) components.push_back(bundlePath.substr(pos, slash - pos));
    pos = slash + 1;
  }
  if (components.size() < 2) return std::nullopt;
  return std::string(kVolumesPrefix) + std::string(components[1]);
}

std::string escapeForDoubleQuotes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '"' || c == '$' || c == '`' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

std::string detachCommandText(std::string_view volumePath) {
  return "sleep 1; /usr/bin/hdiutil detach \"" + escapeForDoubleQuotes(volumePath) +
         "\" -force >/dev/null 2>&1";
}

std::vector<std::string> detachCommandArguments(std::string_view volumePath) {
  return {"-c", detachCommandText(volumePath)};
}

}  // namespace qvx
