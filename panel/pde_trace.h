// Tracing hooks that bracket the panel's operations. They are debugging hooks
// and produce no output; callers pass C strings and pointers only.
#pragma once

#include "pde_export.h"

extern "C" {
PDE_EXPORT void _PDEProlog(const void* object, const char* format, ...);
PDE_EXPORT void _PDEEpilog(const void* object, const char* format, ...);
PDE_EXPORT void _PDELog(const void* object, const char* format, ...);
PDE_EXPORT void _PDELog2(const void* object, const char* format, ...);
}

// "YES" or "NO", as the trace texts spell a BOOL.
inline const char* pdeBoolText(bool value) { return value ? "YES" : "NO"; }
