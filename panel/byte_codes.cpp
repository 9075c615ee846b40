#include "byte_codes.h"

void ReplaceSpaceCode(char* buffer, long length) {
  if (!buffer || length < 1) return;
  for (long i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(buffer[i]);
    if ((c >= 0x01 && c <= 0x08) || (c >= 0x0A && c <= 0x1F) || c == '"') buffer[i] = ' ';
  }
}

void myitoa(const unsigned char* source, char* destination, int count) {
  static const char kDigits[] = "0123456789ABCDEF";
  int out = 0;
  for (int i = 0; i < count; ++i) {
    destination[out++] = kDigits[source[i] >> 4];
    destination[out++] = kDigits[source[i] & 0x0F];
  }
  destination[out] = '\0';
}

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;  // only upper-case digits are ever written
}

}  // namespace

void myatoi(const char* source, unsigned char* destination, int count) {
  int out = 0;
  for (int i = 0; i + 1 < count; i += 2) {
    destination[out++] = static_cast<unsigned char>((hexValue(source[i]) << 4) | hexValue(source[i + 1]));
  }
  destination[out] = '\0';
}
