#include "session/plugin_loader.h"

#include <dlfcn.h>

#include "bundle_path/bundle_path.h"

namespace pdehost {
namespace fs = std::filesystem;

fs::path LoadedPlugin::libraryOf(const fs::path& bundlePath) {
  std::error_code ec;
  fs::path folder = qvx::bundle_path::executablesFolder(bundlePath);
  fs::path named = folder / bundlePath.stem();
  if (bundlePath.filename().empty()) named = folder / bundlePath.parent_path().stem();
  if (fs::is_regular_file(named, ec)) return named;
  fs::path only;
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.is_regular_file(ec)) {
      only = entry.path();
      ++count;
    }
  }
  return count == 1 ? only : fs::path();
}

std::unique_ptr<LoadedPlugin> LoadedPlugin::load(const fs::path& bundlePath, std::string* error,
                                                 bool* otherProtocol) {
  if (otherProtocol != nullptr) *otherProtocol = false;
  auto fail = [&](const std::string& what) -> std::unique_ptr<LoadedPlugin> {
    if (error != nullptr) *error = bundlePath.string() + ": " + what;
    return nullptr;
  };
  std::error_code ec;
  if (!fs::is_directory(bundlePath, ec)) return fail("no such plug-in bundle (a folder)");
  fs::path library = libraryOf(bundlePath);
  if (library.empty()) return fail("not a plug-in bundle: no library in Contents/MacOS");

  std::unique_ptr<LoadedPlugin> plugin(new LoadedPlugin);
  plugin->library_ = library;
  plugin->handle_ = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (plugin->handle_ == nullptr) {
    const char* why = dlerror();
    return fail(std::string("the library does not load: ") + (why != nullptr ? why : "unknown error"));
  }
  void* symbol = dlsym(plugin->handle_, pde::kPlugInEntryPoint);
  if (symbol == nullptr) return fail(std::string("the library exports no ") + pde::kPlugInEntryPoint);
  // The factory and everything it gives are C++ objects laid out as the
  // plug-in's header had them: none is touched unless its revision is ours.
  const std::string ours = "; this pdehost speaks version " + std::to_string(pde::kProtocolVersion);
  void* versionSymbol = dlsym(plugin->handle_, pde::kPlugInVersionEntryPoint);
  std::string mismatch;
  if (versionSymbol == nullptr) {
    mismatch = std::string("the plug-in reports no protocol version (it exports no ") +
               pde::kPlugInVersionEntryPoint + ")" + ours;
  } else if (auto version = reinterpret_cast<pde::PlugInVersionEntryPoint>(versionSymbol)();
             version != pde::kProtocolVersion) {
    mismatch = "the plug-in speaks protocol version " + std::to_string(version) + ours;
  }
  if (!mismatch.empty()) {
    if (otherProtocol != nullptr) *otherProtocol = true;
    return fail(mismatch);
  }
  auto entry = reinterpret_cast<pde::PlugInEntryPoint>(symbol);
  plugin->factory_ = entry();
  if (plugin->factory_ == nullptr) return fail(std::string(pde::kPlugInEntryPoint) + " gave no factory");
  plugin->bundle_ = toolkit::Bundle::bundleWithPath(bundlePath);
  if (!plugin->bundle_) return fail("the bundle folder cannot be opened");
  return plugin;
}

LoadedPlugin::~LoadedPlugin() {
  // Whoever used the plug-in's objects has released them by now.
  if (handle_ != nullptr) dlclose(handle_);
}

}  // namespace pdehost
