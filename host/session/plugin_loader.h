// Loading a panel plug-in bundle the way a print dialog does: dlopen its
// library and reach its factory through the one exported C entry point.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "pde/plugin_protocol.h"
#include "toolkit/bundle.h"

namespace pdehost {

class LoadedPlugin {
 public:
  // The bundle's library is Contents/MacOS/NAME for NAME.plugin, or the one
  // library in Contents/MacOS. Null with `*error` set when the folder is no
  // bundle, the library does not load or has no entry point or factory, and
  // also with `*otherProtocol` set when the plug-in reports no protocol
  // version or another one than the host's: nothing of it is called then.
  static std::unique_ptr<LoadedPlugin> load(const std::filesystem::path& bundlePath, std::string* error,
                                            bool* otherProtocol = nullptr);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  // Owned by the plug-in for as long as it is loaded.
  pde::PlugInFactory& factory() const { return *factory_; }
  const std::shared_ptr<toolkit::Bundle>& bundle() const { return bundle_; }
  const std::filesystem::path& libraryPath() const { return library_; }

  // The library of a bundle, or an empty path.
  static std::filesystem::path libraryOf(const std::filesystem::path& bundlePath);

 private:
  LoadedPlugin() = default;
  void* handle_ = nullptr;
  pde::PlugInFactory* factory_ = nullptr;
  std::shared_ptr<toolkit::Bundle> bundle_;
  std::filesystem::path library_;
};

}  // namespace pdehost
