// The operations the host calls on the panel, the legacy operations the panel
// supplies itself, and the order in which a panel lets go of what it holds.
#include <cstdio>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_options.h"
#include "pde_trace.h"

const std::vector<std::string>& VemraPrintPdeLX4200CO::lookedUpKeywords() {
  static const std::vector<std::string> keywords(kLookedUpKeywords.begin(), kLookedUpKeywords.end());
  return keywords;
}

VemraPrintPdeLX4200CO::~VemraPrintPdeLX4200CO() {
  // Controls may outlive the panel (a host can still hold the view): make
  // sure none of them keeps pointing at it.
  for (const auto& [name, view] : outlets()) {
    (void)name;
    if (!view) continue;
    toolkit::forEachView(*view, [this](toolkit::View& each) {
      if (auto* control = dynamic_cast<toolkit::Control*>(&each); control && control->target() == this) {
        control->setTarget(nullptr);
      }
      if (auto* tabs = dynamic_cast<toolkit::TabView*>(&each); tabs && tabs->delegate() == this) {
        tabs->setDelegate(nullptr);
      }
    });
  }

  for (const PanelOption& row : kPanelOptions) (this->*row.choices).reset();
  modelStringRef.reset();
  preferenceName.reset();
  if (isPanelViewRetain) retainedPanelView_.reset();
  pdePluginCallbackObject.reset();
  pdeBundle.reset();
  thePDEName.reset();
}

std::string VemraPrintPdeLX4200CO::panelName() {
  _PDEProlog(this, "panelName:");
  if (!thePDEName) {
    thePDEName = pdeBundle ? pdeBundle->localizedStringForKey("Image Quality", "", "") : std::string("Image Quality");
  }
  _PDEEpilog(this, "panelName:=NSString(%s)", thePDEName->c_str());
  return *thePDEName;
}

std::string VemraPrintPdeLX4200CO::panelKind() {
  _PDEProlog(this, "panelKind:");
  _PDEEpilog(this, "panelKind:=NSString(%s)", kPanelKind);
  return kPanelKind;
}

std::vector<std::string> VemraPrintPdeLX4200CO::supportedPPDOptionKeys() {
  _PDEProlog(this, "supportedPPDOptionKeys:");
  std::vector<std::string> keys = lookedUpKeywords();
  _PDEEpilog(this, "supportedPPDOptionKeys:=NSArray(%zu)", keys.size());
  return keys;
}

toolkit::View* VemraPrintPdeLX4200CO::panelView() {
  _PDEProlog(this, "panelView:");
  loadLayoutIfNeeded();
  initializeUI();
  _PDEEpilog(this, "panelView:=NSView(%p)", static_cast<void*>(panelView_.get()));
  return panelView_.get();
}

void VemraPrintPdeLX4200CO::loadLayoutIfNeeded() {
  if (!panelView_ && pdeBundle) pdeBundle->loadNibNamed(kLayoutName, this, nullptr);
}

void VemraPrintPdeLX4200CO::willShow() {
  _PDEProlog(this, "willShow:");
  if (!hasInited) initializeUI();
  updateUI();
  _PDEEpilog(this, "willShow:=void");
}

bool VemraPrintPdeLX4200CO::shouldHide() {
  _PDEProlog(this, "shouldHide:");
  _PDEEpilog(this, "shouldHide:=BOOL(YES)");
  return true;
}

bool VemraPrintPdeLX4200CO::restoreValuesAndReturnError(std::string* /*error: never written*/) {
  _PDEProlog(this, "restoreValuesAndReturnError:");
  if (!panelView_) {
    panelView();
    retainedPanelView_ = panelView_;
    isPanelViewRetain = true;
  }
  if (!hasInited) initializeUI();
  getPPDSettingsFromPrintSettingsOnTiger();
  getNonPPDSettingsFromPrintSettings();
  updateUI();
  callRestoreValuesFunction = true;
  _PDEEpilog(this, "restoreValuesAndReturnError:=BOOL(YES)");
  return true;
}

bool VemraPrintPdeLX4200CO::saveValuesAndReturnError(std::string* /*error: never written*/) {
  _PDEProlog(this, "saveValuesAndReturnError:");
  if (!useConstraintHandling) writePPDSettingsToPrintSettingsOnTiger();
  writeNonPPDSettingsToPrintSettings();
  callSaveValuesFunction = true;
  _PDEEpilog(this, "saveValuesAndReturnError:=BOOL(YES)");
  return true;
}

bool VemraPrintPdeLX4200CO::shouldPrint() {
  _PDEProlog(this, "shouldPrint:");
  pde::PrintSettings* settings = pdePluginCallbackObject ? pdePluginCallbackObject->printSettings() : nullptr;
  if (!callRestoreValuesFunction) restoreValuesAndReturnError(nullptr);
  if (!callSaveValuesFunction) saveValuesAndReturnError(nullptr);
  if (settings && hasInited) {
    SaveUserPreference();
    GetUserPreference();
  }
  _PDEEpilog(this, "shouldPrint:=BOOL(YES)");
  return true;
}

bool VemraPrintPdeLX4200CO::shouldShowHelp() {
  _PDEProlog(this, "shouldShowHelp:");
  _PDEEpilog(this, "shouldShowHelp:=BOOL(YES)");
  return true;
}

void VemraPrintPdeLX4200CO::PPDOptionKeyValueDidChangePpdChoice(const std::string& keyword,
                                                               const std::string& choice) {
  _PDEProlog(this, "PPDOptionKeyValueDidChange:ppdChoice:");
  _PDELog(this, "ignoring %s=%s", keyword.c_str(), choice.c_str());
  _PDEEpilog(this, "PPDOptionKeyValueDidChange:ppdChoice:=void");
}

ppd_file_t* VemraPrintPdeLX4200CO::getPPDOnTiger() { return nullptr; }
void VemraPrintPdeLX4200CO::getPPDSettingsFromPrintSettingsOnTiger() {}
void VemraPrintPdeLX4200CO::writePPDSettingsToPrintSettingsOnTiger() {}
