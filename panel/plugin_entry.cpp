// The plug-in library's entry points: a host dlsym()s them by name, checks
// the protocol revision and then gets the factory, which lives as long as the
// library stays loaded.
#include "VemraPrintPdeLX4200COPDEPlugIn.h"
#include "pde_export.h"

extern "C" PDE_EXPORT std::uint32_t pde_plugin_protocol_version() { return pde::kProtocolVersion; }

extern "C" PDE_EXPORT pde::PlugInFactory* pde_plugin_factory() {
  static VemraPrintPdeLX4200COPDEPlugIn factory;
  return &factory;
}
