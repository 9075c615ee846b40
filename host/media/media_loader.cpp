#include <dlfcn.h>

#include <mutex>

#include "media/media_api.h"

namespace pdehost::media {

const Api* api(std::string* error) {
  static std::once_flag once;
  static const Api* loaded = nullptr;
  static std::string why;
  std::call_once(once, [] {
    // Found through the program's run path, beside its toolkit library.
    void* module = ::dlopen(kModuleName, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      const char* text = ::dlerror();
      why = std::string("the document libraries cannot be loaded: ") + (text != nullptr ? text : kModuleName);
      return;
    }
    using Entry = const Api* (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(module, kEntryName));
    if (entry == nullptr) {
      why = std::string("the document libraries cannot be loaded: ") + kModuleName + " has no " + kEntryName;
      return;
    }
    loaded = entry();  // the module stays loaded for the rest of the run
  });
  if (loaded == nullptr && error != nullptr) *error = why;
  return loaded;
}

}  // namespace pdehost::media
