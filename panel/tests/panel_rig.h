// A panel as the tests build it: a printer description opened with libcups,
// a fake host over it, a bundle and the panel created by that host. The
// bundle is the one as built (the real "Color6" layout, its strings and the
// sample description), a test bundle written into a temporary folder, or
// none at all.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <utility>

#include "VemraPrintPdeLX4200CO.h"
#include "fake_host.h"
#include "ppd_fixture.h"
#include "temp_dir.h"
#include "test_bundle.h"
#include "toolkit/bundle.h"

namespace paneltest {

using Panel = VemraPrintPdeLX4200CO;

// The sample description shipped in the bundle as built.
inline std::string samplePPDPath() { return std::string(TINTPANEL_BUNDLE_DIR) + "/Contents/Resources/LX4200.ppd"; }

// Current-choice fields and the values to give them, e.g.
// setChoices(panel, {{&Panel::colorModeChoice, 2}, {&Panel::tonerSaveChoice, 1}}).
using ChoiceValues = std::initializer_list<std::pair<std::int64_t Panel::*, std::int64_t>>;
inline void setChoices(Panel& panel, ChoiceValues values) {
  for (const auto& [field, value] : values) panel.*field = value;
}

// The test description with the nine options of the panel's printer.
inline testppd::Description nineOptions() {
  testppd::Description description;
  description.options = testppd::allNine();
  return description;
}

// Asks for a rig without a bundle: the panel reads only its option table.
struct WithoutBundle {};

// `HostType` is testhost::Host or a host derived from it.
template <typename HostType>
class BasicPanelRig {
 public:
  // The bundle as built, with its sample description.
  BasicPanelRig()
      : file(std::make_unique<testppd::OpenPPD>(samplePPDPath())),
        host(std::make_shared<HostType>(file->get())),
        bundle(toolkit::Bundle::bundleWithPath(TINTPANEL_BUNDLE_DIR)),
        panel(Panel::initWithCallback(host, bundle)) {}
  // A test bundle holding `layout` over a description written by the test.
  BasicPanelRig(const testppd::Description& description, const nlohmann::json& layout)
      : file(std::make_unique<testppd::OpenPPD>(description)),
        host(std::make_shared<HostType>(file->get())),
        bundle(testbundle::writeBundle(dir, layout.dump())),
        panel(Panel::initWithCallback(host, bundle)) {}
  // The test layout without the outlets named in `leaveOut`.
  explicit BasicPanelRig(const testppd::Description& description, const std::set<std::string>& leaveOut = {})
      : BasicPanelRig(description, testbundle::color6Layout(leaveOut)) {}
  BasicPanelRig(const testppd::Description& description, WithoutBundle)
      : file(std::make_unique<testppd::OpenPPD>(description)),
        host(std::make_shared<HostType>(file->get())),
        panel(Panel::initWithCallback(host, nullptr)) {}
  BasicPanelRig(const BasicPanelRig&) = delete;
  BasicPanelRig& operator=(const BasicPanelRig&) = delete;

  Panel& operator*() const { return *panel; }
  Panel* operator->() const { return panel.get(); }

  qvx::test::TempDir dir;
  std::unique_ptr<testppd::OpenPPD> file;
  std::shared_ptr<HostType> host;
  std::shared_ptr<toolkit::Bundle> bundle;
  std::shared_ptr<Panel> panel;
};

using PanelRig = BasicPanelRig<testhost::Host>;

}  // namespace paneltest
