#include "spool_time.h"

#include <locale.h>
#include <time.h>

#include <cstring>

namespace {

// Longer than any text the format can make (years beyond four digits included).
constexpr std::size_t kScratchSize = 64;

// The "C" locale's day and month names are the English abbreviations, so the
// text does not depend on the user's locale.
locale_t englishLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

char* formatSpoolTime(std::time_t moment, char* buffer, std::size_t size) {
  if (!buffer) return nullptr;
  if (size > 0) buffer[0] = '\0';
  tzset();
  struct tm local {};
  if (!localtime_r(&moment, &local)) return nullptr;
  char text[kScratchSize];
  const std::size_t length = strftime_l(text, sizeof text, "%a, %d %b %Y %H:%M:%S %z", &local, englishLocale());
  if (length == 0 || length + 1 > size) return nullptr;
  std::memcpy(buffer, text, length + 1);
  return buffer + length;
}

extern "C" char* GetSpoolTimeInBuffer(char* buffer, std::size_t size) {
  return formatSpoolTime(std::time(nullptr), buffer, size);
}

extern "C" char* GetSpoolTime(char* buffer) {
  char text[kScratchSize];
  char* end = formatSpoolTime(std::time(nullptr), text, sizeof text);
  if (!end) {
    buffer[0] = '\0';
    return buffer;
  }
  const std::size_t length = static_cast<std::size_t>(end - text);
  std::memcpy(buffer, text, length + 1);
  return buffer + length;
}
