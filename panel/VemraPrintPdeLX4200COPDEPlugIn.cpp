#include "VemraPrintPdeLX4200COPDEPlugIn.h"

#include "VemraPrintPdeLX4200CO.h"
#include "pde_trace.h"

VemraPrintPdeLX4200COPDEPlugIn::VemraPrintPdeLX4200COPDEPlugIn(std::shared_ptr<toolkit::Bundle> panelBundle)
    : panelBundle_(std::move(panelBundle)) {}

bool VemraPrintPdeLX4200COPDEPlugIn::initWithBundle(std::shared_ptr<toolkit::Bundle> /*bundle*/) {
  _PDEProlog(this, "initWithBundle:");
  _PDEEpilog(this, "initWithBundle:=BOOL(YES)");
  return true;
}

std::optional<std::vector<std::shared_ptr<pde::Panel>>> VemraPrintPdeLX4200COPDEPlugIn::PDEPanelsForTypeWithHostInfo(
    const std::string& type, std::shared_ptr<pde::HostCallback> host) {
  _PDEProlog(this, "PDEPanelsForType:withHostInfo:");
  if (type != pde::kPrintDialogExtensionType) {
    _PDEEpilog(this, "PDEPanelsForType:withHostInfo:=NSArray(0)");
    return std::vector<std::shared_ptr<pde::Panel>>{};
  }
  std::shared_ptr<VemraPrintPdeLX4200CO> panel =
      panelBundle_ ? VemraPrintPdeLX4200CO::initWithCallback(std::move(host), panelBundle_)
                   : VemraPrintPdeLX4200CO::initWithCallback(std::move(host));
  if (!panel) {
    _PDEEpilog(this, "PDEPanelsForType:withHostInfo:=NSArray(nil)");
    return std::nullopt;
  }
  _PDEEpilog(this, "PDEPanelsForType:withHostInfo:=NSArray(1)");
  return std::vector<std::shared_ptr<pde::Panel>>{std::move(panel)};
}
