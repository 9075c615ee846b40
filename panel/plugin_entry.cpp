// The plug-in library's one entry point: a host dlsym()s it by name and gets
// the factory, which lives as long as the library stays loaded.
#include "VemraPrintPdeLX4200COPDEPlugIn.h"
#include "pde_export.h"

extern "C" PDE_EXPORT pde::PlugInFactory* pde_plugin_factory() {
  static VemraPrintPdeLX4200COPDEPlugIn factory;
  return &factory;
}
