// Byte-level helpers of the module: cleaning control characters out of a
// buffer and hexadecimal encoding of bytes.
#pragma once

#include <cstddef>

#include "pde_export.h"

// Within the first `length` bytes, bytes 0x01-0x08, 0x0A-0x1F and '"' become
// spaces; NUL and TAB stay. A length below 1 does nothing.
PDE_EXPORT void ReplaceSpaceCode(char* buffer, long length);

// Two upper-case hexadecimal digits per source byte, high nibble first, then a
// NUL: `destination` needs 2 * count + 1 bytes.
PDE_EXPORT void myitoa(const unsigned char* source, char* destination, int count);

// The inverse of myitoa: `count` digits (taken in pairs) become count / 2
// bytes, then a NUL.
PDE_EXPORT void myatoi(const char* source, unsigned char* destination, int count);
