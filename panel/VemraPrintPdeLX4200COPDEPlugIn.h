// The plug-in's principal object: hands the host the panel for the print
// dialog extension type.
#pragma once

#include <memory>

#include "pde/plugin_protocol.h"
#include "toolkit/bundle.h"

class VemraPrintPdeLX4200COPDEPlugIn : public pde::PlugInFactory {
 public:
  // `panelBundle` names the bundle panels load their layout and texts from;
  // null lets each panel find the bundle that holds its code.
  explicit VemraPrintPdeLX4200COPDEPlugIn(std::shared_ptr<toolkit::Bundle> panelBundle = nullptr);

  bool initWithBundle(std::shared_ptr<toolkit::Bundle> bundle) override;
  // One panel for the extension type (exact comparison), none when it cannot
  // be created; an empty list for any other type.
  std::optional<std::vector<std::shared_ptr<pde::Panel>>> PDEPanelsForTypeWithHostInfo(
      const std::string& type, std::shared_ptr<pde::HostCallback> host) override;

 private:
  std::shared_ptr<toolkit::Bundle> panelBundle_;
};
