// String encodings of printer-description texts, numbered as Foundation numbers
// them (the panel stores the number in `ppdEncoding`), and conversion of those
// texts to UTF-8 through iconv.
#pragma once

#include <cups/ppd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pde_export.h"

using StringEncoding = std::uint64_t;

inline constexpr StringEncoding kStringEncodingUTF8 = 4;
inline constexpr StringEncoding kStringEncodingISOLatin1 = 5;
inline constexpr StringEncoding kStringEncodingShiftJIS = 8;
inline constexpr StringEncoding kStringEncodingWindowsCP1252 = 12;
inline constexpr StringEncoding kStringEncodingMacOSRoman = 30;

// The iconv name of an encoding number; Mac OS Roman for a number not listed.
const char* iconvNameOfEncoding(StringEncoding encoding);

// The text converted from `encoding` to UTF-8; none when `text` is null or
// holds a byte sequence that is not valid in that encoding.
std::optional<std::string> stringWithEncoding(const char* text, StringEncoding encoding);

// The text as ASCII; none when it is null or holds a byte above 0x7F.
std::optional<std::string> stringWithASCII(const char* text);

// The encoding of a `LanguageEncoding` value, compared exactly:
// "ISOLatin1", "WindowsANSI", "JIS83-RKSJ", "UTF-8"/"UTF8"; Mac OS Roman otherwise.
StringEncoding encodingFromLanguageEncoding(std::string_view value);

// The encoding the panel converts the description's texts with. libcups has
// already converted every text to UTF-8 when it opened the file and then names
// the encoding "UTF-8"; a file without the keyword leaves `lang_encoding` null
// while its texts are UTF-8 too, so a null value reads as UTF-8 rather than as
// Mac OS Roman (which would garble every non-ASCII label). No description at
// all gives Mac OS Roman.
PDE_EXPORT StringEncoding getEncodingFromPPD(ppd_file_t* ppd);
