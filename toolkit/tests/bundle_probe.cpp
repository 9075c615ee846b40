// A tiny library placed inside a test bundle: it finds its own bundle.
#include "toolkit/bundle.h"

extern "C" const toolkit::Bundle* toolkit_probe_bundle() {
  static std::shared_ptr<toolkit::Bundle> bundle =
      toolkit::Bundle::bundleForAddress(reinterpret_cast<const void*>(&toolkit_probe_bundle));
  return bundle.get();
}
