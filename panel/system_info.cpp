#include "system_info.h"

#include <langinfo.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "toolkit/whole_file.h"

SystemIcon initWithSystemIconType(std::uint32_t fileTypeCode) {
  const char* name = "text-x-generic";
  if (fileTypeCode == kUnlockedIconType) name = "changes-allow";
  if (fileTypeCode == kLockedIconType) name = "changes-prevent";
  return SystemIcon{name, 18, 18};
}

namespace {

// The text of the <string> element that follows <key>ProductVersion</key>.
bool readProductVersion(const std::string& path, std::string* version) {
  // A version file is a few hundred bytes; anything else is not one.
  constexpr std::uintmax_t kLargestVersionFile = 64 * 1024;
  const auto read = toolkit::readWholeFile(path, nullptr, {kLargestVersionFile});
  if (!read) return false;
  const std::string& text = *read;
  const std::string key = "<key>ProductVersion</key>";
  size_t at = text.find(key);
  if (at == std::string::npos) return false;
  at = text.find("<string>", at + key.size());
  if (at == std::string::npos) return false;
  at += 8;
  size_t end = text.find("</string>", at);
  if (end == std::string::npos) return false;
  *version = text.substr(at, end - at);
  return true;
}

// The leading decimal integer of a text, 0 when it has none.
std::int32_t intValue(const std::string& text) {
  return static_cast<std::int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace

void getSystemVersionFromFile(const std::string& path, std::int32_t* major, std::int32_t* minor,
                              std::int32_t* patch) {
  std::string version;
  if (!readProductVersion(path, &version)) return;
  std::vector<std::string> parts;
  std::stringstream in(version);
  for (std::string part; std::getline(in, part, '.');) parts.push_back(part);
  std::int32_t* targets[] = {major, minor, patch};
  for (size_t i = 0; i < 3 && i < parts.size(); ++i) {
    if (targets[i]) *targets[i] = intValue(parts[i]);
  }
}

void get_system_version(std::int32_t* major, std::int32_t* minor, std::int32_t* patch) {
  getSystemVersionFromFile(kSystemVersionPlistPath, major, minor, patch);
}

bool versionIsLeopardOrLater(std::int32_t major, std::int32_t minor) {
  return major > 10 || (major == 10 && minor > 4);
}

bool runningOnLeopardOrLater() {
  std::int32_t major = 10, minor = 4, patch = 0;
  get_system_version(&major, &minor, &patch);
  return versionIsLeopardOrLater(major, minor);
}

std::uint32_t systemTextEncodingForCodeset(const std::string& codeset) {
  std::string upper = codeset;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper == "EUC-JP" || upper == "SHIFT_JIS" || upper == "SJIS") return kSystemEncodingMacJapanese;
  if (upper == "BIG5" || upper == "BIG5-HKSCS" || upper == "EUC-TW") return kSystemEncodingMacChineseTrad;
  if (upper == "EUC-KR") return kSystemEncodingMacKorean;
  if (upper == "GB2312" || upper == "GBK" || upper == "GB18030") return kSystemEncodingMacChineseSimp;
  return kSystemEncodingMacRoman;
}

std::uint32_t systemTextEncoding() { return systemTextEncodingForCodeset(nl_langinfo(CODESET)); }

bool encodingWindowsLatin1For(std::uint32_t systemEncoding) {
  switch (systemEncoding) {
    case kSystemEncodingMacJapanese:
    case kSystemEncodingMacChineseTrad:
    case kSystemEncodingMacKorean:
    case kSystemEncodingMacChineseSimp:
      return false;
    default:
      return true;
  }
}

bool encodingWindowsLatin1() { return encodingWindowsLatin1For(systemTextEncoding()); }
