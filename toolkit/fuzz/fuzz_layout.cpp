// Any bytes as a layout file: either views or a clear error, never a crash.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "toolkit/layout_loader.h"
#include "toolkit/view_description.h"

namespace {

class AnyOwner : public toolkit::LayoutOwner {
 public:
  bool setOutlet(std::string_view name, const std::shared_ptr<toolkit::View>&) override { return name.size() % 2 == 0; }
  bool performAction(std::string_view, toolkit::View*) override { return true; }
  bool respondsToAction(std::string_view action) const override { return !action.empty() && action.back() == ':'; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AnyOwner owner;
  std::string error;
  auto layout = toolkit::loadLayoutFromString(std::string_view(reinterpret_cast<const char*>(data), size), &owner,
                                              &error, "fuzz.json");
  if (!layout) {
    if (error.empty()) __builtin_trap();  // a refused layout always says why
    return 0;
  }
  for (auto& top : layout->topLevelObjects) {
    toolkit::forEachView(*top, [&](toolkit::View& view) {
      (void)toolkit::describeView(view).dump();
      (void)toolkit::isVisibleInside(view, *top);
    });
  }
  return 0;
}
