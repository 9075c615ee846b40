// What the panel asks of the system: its version, icons for HFS file type
// codes (as freedesktop icon names), and its default text encoding.
#pragma once

#include <cstdint>
#include <string>

#include "pde_export.h"

inline constexpr const char* kSystemVersionPlistPath = "/System/Library/CoreServices/SystemVersion.plist";

// An icon by freedesktop name, drawn at a size in points.
struct SystemIcon {
  std::string name;
  int width = 0;
  int height = 0;
};

// A four-character file type code from its four characters, the first in the
// highest byte: fourCharCode("lock") is 0x6C6F636B.
constexpr std::uint32_t fourCharCode(const char (&code)[5]) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(code[i]);
  return value;
}
inline constexpr std::uint32_t kUnlockedIconType = fourCharCode("ulck");
inline constexpr std::uint32_t kLockedIconType = fourCharCode("lock");

// The icon for a four-character file type code at 18 by 18 points:
// kUnlockedIconType an unlocked padlock, kLockedIconType a locked one, a
// plain document otherwise.
PDE_EXPORT SystemIcon initWithSystemIconType(std::uint32_t fileTypeCode);

// Reads "ProductVersion" from the system version file and stores its first
// three dot-separated components; a component that is missing (or a missing
// file) leaves the caller's value in place.
PDE_EXPORT void get_system_version(std::int32_t* major, std::int32_t* minor, std::int32_t* patch);
void getSystemVersionFromFile(const std::string& path, std::int32_t* major, std::int32_t* minor,
                              std::int32_t* patch);

// True when the version is above 10.4 (starting from 10.4.0 when unknown).
PDE_EXPORT bool runningOnLeopardOrLater();
bool versionIsLeopardOrLater(std::int32_t major, std::int32_t minor);

// Foundation-style numbers of the legacy system text encodings that matter here.
inline constexpr std::uint32_t kSystemEncodingMacRoman = 0;
inline constexpr std::uint32_t kSystemEncodingMacJapanese = 1;
inline constexpr std::uint32_t kSystemEncodingMacChineseTrad = 2;
inline constexpr std::uint32_t kSystemEncodingMacKorean = 3;
inline constexpr std::uint32_t kSystemEncodingMacChineseSimp = 25;

// The system's default text encoding, from the locale's character set.
std::uint32_t systemTextEncoding();
std::uint32_t systemTextEncodingForCodeset(const std::string& codeset);

// False for the Japanese, Korean and Chinese system encodings, true otherwise.
PDE_EXPORT bool encodingWindowsLatin1();
bool encodingWindowsLatin1For(std::uint32_t systemEncoding);
