// A plug-in built for another revision of the protocol (PROTOCOL_VERSION), or
// one that reports none (no PROTOCOL_VERSION). A host must refuse it before it
// calls anything else: its factory aborts the process.
#include <cstdint>
#include <cstdlib>

#include "pde/plugin_protocol.h"

#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED pde::PlugInFactory* pde_plugin_factory() { std::abort(); }

#ifdef PROTOCOL_VERSION
EXPORTED std::uint32_t pde_plugin_protocol_version() { return PROTOCOL_VERSION; }
#endif
