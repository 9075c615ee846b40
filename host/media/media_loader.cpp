#include <dlfcn.h>

#include <filesystem>
#include <mutex>

#include "media/media_api.h"
#include "toolkit/whole_file.h"

namespace pdehost::media {
namespace {

// The module sits beside the toolkit library, in the build tree and where
// the package installs both. Named by its full path: a bare name would be
// looked up on the run path of whoever calls dlopen, which under a
// sanitizer is the sanitizer's runtime, not the program.
std::string modulePath() {
  Dl_info toolkit{};
  if (::dladdr(reinterpret_cast<void*>(&toolkit::temporaryFolder), &toolkit) != 0 && toolkit.dli_fname != nullptr) {
    return (std::filesystem::path(toolkit.dli_fname).parent_path() / kModuleName).string();
  }
  return kModuleName;
}

}  // namespace

const Api* api(std::string* error) {
  static std::once_flag once;
  static const Api* loaded = nullptr;
  static std::string why;
  std::call_once(once, [] {
    void* module = ::dlopen(modulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
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
