#include "pde_trace.h"

extern "C" {
void _PDEProlog(const void*, const char*, ...) {}
void _PDEEpilog(const void*, const char*, ...) {}
void _PDELog(const void*, const char*, ...) {}
void _PDELog2(const void*, const char*, ...) {}
}
