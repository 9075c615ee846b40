// The date text of a spool job: "Mon, 07 Dec 2026 08:50:36 +0900", English
// names, the system's time zone.
#pragma once

#include <cstddef>
#include <ctime>

#include "pde_export.h"

// Writes the current date and time with its terminating NUL into `buffer` and
// returns a pointer to that NUL. The buffer is not checked: for four-digit
// years the text is 31 characters, so it must hold at least 32 bytes. New
// callers use GetSpoolTimeInBuffer.
extern "C" PDE_EXPORT char* GetSpoolTime(char* buffer);

// The same text, written only when it fits in `size` bytes with its NUL:
// returns a pointer to the NUL, or null (and an empty text when `size` is not
// 0) when the buffer is too small or null.
extern "C" PDE_EXPORT char* GetSpoolTimeInBuffer(char* buffer, std::size_t size);

// The text for a given moment, in the time zone of the TZ setting; same
// result as GetSpoolTimeInBuffer.
char* formatSpoolTime(std::time_t moment, char* buffer, std::size_t size);
