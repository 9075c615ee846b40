#include "text_encoding.h"

#include <cstring>

#include "utf8/utf8.h"
#include "utf8/conversion.h"

const char* iconvNameOfEncoding(StringEncoding encoding) {
  switch (encoding) {
    case kStringEncodingUTF8:
      return "UTF-8";
    case kStringEncodingISOLatin1:
      return "ISO-8859-1";
    case kStringEncodingShiftJIS:
      return "SHIFT_JIS";
    case kStringEncodingWindowsCP1252:
      return "CP1252";
    default:
      return "MACINTOSH";
  }
}

namespace {

bool isASCII(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> stringWithEncoding(const char* text, StringEncoding encoding) {
  if (!text) return std::nullopt;
  const std::string_view input(text);
  // Labels are converted by the dozen while a panel is set up; UTF-8 (what
  // libcups hands out) and plain ASCII in the single-byte encodings that
  // extend it need no conversion, only the check iconv would make.
  if (encoding == kStringEncodingUTF8) {
    if (!qvx::utf8::isValid(input)) return std::nullopt;  // what iconv accepts, up to U+10FFFF
    return std::string(input);
  }
  if (encoding != kStringEncodingShiftJIS && isASCII(input)) return std::string(input);
  return qvx::utf8::convertToUtf8(input, iconvNameOfEncoding(encoding));
}

std::optional<std::string> stringWithASCII(const char* text) {
  if (!text) return std::nullopt;
  for (const char* p = text; *p; ++p) {
    if (static_cast<unsigned char>(*p) > 0x7F) return std::nullopt;
  }
  return std::string(text);
}

StringEncoding encodingFromLanguageEncoding(std::string_view value) {
  if (value == "ISOLatin1") return kStringEncodingISOLatin1;
  if (value == "WindowsANSI") return kStringEncodingWindowsCP1252;
  if (value == "JIS83-RKSJ") return kStringEncodingShiftJIS;
  if (value == "UTF-8" || value == "UTF8") return kStringEncodingUTF8;
  return kStringEncodingMacOSRoman;
}

StringEncoding getEncodingFromPPD(ppd_file_t* ppd) {
  if (!ppd) return kStringEncodingMacOSRoman;
  if (!ppd->lang_encoding) return kStringEncodingUTF8;
  return encodingFromLanguageEncoding(ppd->lang_encoding);
}
