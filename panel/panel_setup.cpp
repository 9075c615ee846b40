// Creation with option discovery, filling the layout once (initializeUI) and
// showing the current choices in it (updateUI).
#include <algorithm>
#include <cstring>

#include "VemraPrintPdeLX4200CO.h"
#include "control_categories.h"
#include "panel_options.h"
#include "pde_trace.h"
#include "ppd_adapter.h"
#include "system_info.h"

namespace {

// Any function of this library: the bundle that holds it is the panel's.
void panelCodeAnchor() {}

}  // namespace

std::shared_ptr<VemraPrintPdeLX4200CO> VemraPrintPdeLX4200CO::initWithCallback(
    std::shared_ptr<VemraPrintPdeLX4200COPDEPluginCallback> callback) {
  return initWithCallback(std::move(callback),
                          toolkit::Bundle::bundleForAddress(reinterpret_cast<const void*>(&panelCodeAnchor)));
}

std::shared_ptr<VemraPrintPdeLX4200CO> VemraPrintPdeLX4200CO::initWithCallback(
    std::shared_ptr<VemraPrintPdeLX4200COPDEPluginCallback> callback, std::shared_ptr<toolkit::Bundle> bundle) {
  std::shared_ptr<VemraPrintPdeLX4200CO> panel(new VemraPrintPdeLX4200CO());
  VemraPrintPdeLX4200CO& p = *panel;
  _PDEProlog(&p, "initWithCallback:");
  p.imageType_Custom = 4;
  p.pdePluginCallbackObject = std::move(callback);
  p.pdeBundle = std::move(bundle);

  p.useConstraintHandling =
      p.pdePluginCallbackObject && p.pdePluginCallbackObject->respondsToWillChangePPDOptionKeyValuePpdChoice();
  p.canResizeView = runningOnLeopardOrLater();
  _PDELog(&p, "Constraint Handling Available: %s", pdeBoolText(p.useConstraintHandling));
  _PDELog(&p, "Can resize on the fly: %s", pdeBoolText(p.canResizeView));

  p.ppd = p.useConstraintHandling ? p.pdePluginCallbackObject->ppdFile() : p.getPPDOnTiger();
  p.apex2ColorFlag = true;

  if (p.ppd) {
    p.ppdEncoding = getEncodingFromPPD(p.ppd);
    p.modelStringRef = stringWithEncoding(p.ppd->modelname, p.ppdEncoding);

    for (const PanelOption* row : kLookedUpOptions) {
      ppd_option_t* option = ppdx::findOption(p.ppd, row->keyword);
      p.*row->option = option;
      if (option) p.*row->choices = ArrayFromPPDOption(option);
    }
    p.condorFlag = true;

    if (ppd_attr_t* hdd = ppdx::findAttr(p.ppd, "VMHDDOption", nullptr)) {
      const char* value = hdd->value ? hdd->value : "";
      if (std::strcmp(value, "True") != 0 && std::strcmp(value, "TRUE") != 0) p.ppdHDDOptionFlag = true;
    }

    // Without a current printer the name carries no identifier.
    pde::PrintSession* session = p.pdePluginCallbackObject->printSession();
    std::optional<std::string> printerID = session ? session->currentPrinterID() : std::nullopt;
    p.preferenceName = "vemra.mfp." + printerID.value_or("");

    p.CheckPreference();
    p.GetUserPreference();
  }

  const bool anyOption = std::any_of(kPanelOptions.begin(), kPanelOptions.end(),
                                     [&p](const PanelOption& row) { return p.*row.option != nullptr; });
  if (!anyOption) {
    p.pdePluginCallbackObject.reset();
    p.pdeBundle.reset();
    _PDEEpilog(&p, "initWithCallback:=id(nil, nil)");
    return nullptr;
  }
  _PDEEpilog(&p, "initWithCallback:=id(%p)", static_cast<void*>(&p));
  return panel;
}

std::string VemraPrintPdeLX4200CO::optionLabel(const ppd_option_t* option) const {
  return option ? stringWithEncoding(option->text, ppdEncoding).value_or("") : std::string();
}

namespace {

// The layout's tab view comes with three tabs; the last is not shown.
constexpr std::int64_t kLayoutTabCount = 3;
constexpr std::int64_t kHiddenTabIndex = 2;

// The smoothing checkbox the panel adds, and where toner save moves beside it.
constexpr toolkit::Rect kSmoothingCheckboxFrame{32, 93, 227, 18};
constexpr toolkit::Rect kTonerSaveCheckboxFrame{12, 43, 227, 18};

void localizeText(VemraPrintPdeLX4200CO& panel, const std::shared_ptr<toolkit::TextField>& field) {
  if (!field) return;
  if (auto text = panel.localizedStringValue(field.get())) field->setStringValue(*text);
}

toolkit::Image iconImage(std::uint32_t fileTypeCode) {
  const SystemIcon icon = initWithSystemIconType(fileTypeCode);
  return toolkit::Image{icon.name, {double(icon.width), double(icon.height)}};
}

}  // namespace

void VemraPrintPdeLX4200CO::initializeUI() {
  if (hasInited) return;
  // A host may ask to show the panel before it asked for the view: the
  // layout is loaded here then, so that what is shown is filled.
  loadLayoutIfNeeded();

  // A title and popup pair of a looked-up option: the label with a colon and
  // the choices, or a disabled popup when the description lacks the option.
  auto fillTitle = [this](const std::shared_ptr<toolkit::TextField>& title, ppd_option_t* option) {
    if (title && option) title->setStringValue(optionLabel(option) + ":");
  };
  auto fillPopup = [this](const std::shared_ptr<toolkit::PopUpButton>& popup, ppd_option_t* option,
                          const std::unique_ptr<PDEChoiceArray>& choices) {
    if (!popup) return;
    if (option) {
      InitPopUpFromArray(popup.get(), choices.get(), ppdEncoding);
    } else {
      popup->setEnabled(false);
    }
  };

  // The lock button shows an open padlock, and a closed one while pressed.
  if (saveSettingsButton) {
    saveSettingsButton->setImage(iconImage(kUnlockedIconType));
    saveSettingsButton->setAlternateImage(iconImage(kLockedIconType));
  }
  localizeText(*this, saveSettingsTitle);
  // Two tabs remain, the first selected, the panel deciding switches.
  if (mainTabView) {
    for (std::int64_t i = 0; i < kLayoutTabCount; ++i) {
      if (toolkit::TabViewItem* item = mainTabView->tabViewItemAtIndex(i)) {
        if (auto label = localizedStringValue(std::optional<std::string>(item->label()))) item->setLabel(*label);
      }
    }
    if (toolkit::TabViewItem* hidden = mainTabView->tabViewItemAtIndex(kHiddenTabIndex)) {
      mainTabView->removeTabViewItem(hidden);
    }
    mainTabView->selectFirstTabViewItem();
    mainTabView->setDelegate(this);
  }
  // Colour mode, print priority and neutral gray; image type is never offered.
  fillTitle(colorModeTitle, colorModeOptions);
  fillPopup(colorModePopup, colorModeOptions, colorModeChoices);
  fillTitle(printPriorityTitle, printPriorityOptions);
  fillPopup(printPriorityPopup, printPriorityOptions, printPriorityChoices);
  fillTitle(neutralGrayTitle, neutralGrayOptions);
  fillPopup(neutralGrayPopup, neutralGrayOptions, neutralGrayChoices);
  if (imageTypePopup) imageTypePopup->setEnabled(false);
  // The texts at the slider ends.
  localizeText(*this, neutralGrayLeftTitle);
  localizeText(*this, neutralGrayRightTitle);
  if (pureBlackPrintCB && pureBlackPrintOptions) pureBlackPrintCB->setTitle(optionLabel(pureBlackPrintOptions));
  fillTitle(pureBlackPrintTitle, pureBlackPrintOptions);
  localizeText(*this, pureBlackPrintLeftTitle);
  localizeText(*this, pureBlackPrintRightTitle);
  if (tonerSaveCB && tonerSaveOptions) tonerSaveCB->setTitle(optionLabel(tonerSaveOptions));
  // Profiles the description never offers: dimmed, items enabled one by one.
  for (const auto* popup : {&sourceProfilePopup, &renderingIntentPopup, &outputProfilePopup, &cmykoutputProfilePopup}) {
    if (!*popup) continue;
    (*popup)->setEnabled(false);
    (*popup)->setAutoenablesItems(false);
  }
  fillTitle(screeningTitle, screeningOptions);
  fillPopup(screeningPopup, screeningOptions, screeningChoices);
  if (simulationProfilePopup) simulationProfilePopup->setEnabled(false);
  if (preservepurecmykcolorsCB) preservepurecmykcolorsCB->setHidden(true);
  if (trappingCB && trappingOptions) {
    trappingCB->setHidden(false);
    trappingCB->setTitle(optionLabel(trappingOptions));
  }
  fillTitle(sharpnessTitle, sharpnessOptions);
  fillPopup(sharpnessPopup, sharpnessOptions, sharpnessChoices);
  fillTitle(trappingTitle, trappingOptions);
  fillPopup(trappingPopup, trappingOptions, trappingChoices);
  // The controls of options never looked up keep the layout's texts.
  if (sampleViewSelectControl) sampleViewSelectControl->setSelectedSegment(0);
  hasInited = true;

  // The smoothing checkbox is built here, and toner save moves beside it. The
  // layout was loaded above: the checkbox goes into its top view (or into
  // nothing when there is no layout).
  auto smoothing = std::make_shared<toolkit::Button>(kSmoothingCheckboxFrame);
  smoothing->setButtonType(toolkit::ButtonType::checkbox);
  smoothing->setTarget(this);
  smoothing->setAction("SmoothingProc:");
  smoothing->setTitle(SmoothingOptions ? optionLabel(SmoothingOptions)
                                       : localizedStringValue(std::optional<std::string>("Smoothing")).value_or(""));
  SmoothingCB = smoothing;
  if (panelView_) panelView_->addSubview(smoothing);
  if (tonerSaveCB) tonerSaveCB->setFrame(kTonerSaveCheckboxFrame);
}

void VemraPrintPdeLX4200CO::updateUI() {
  if (!hasInited) return;
  auto select = [](const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t choice) {
    if (popup) popup->selectItemAtIndex(choice);
  };
  auto state = [](const std::shared_ptr<toolkit::Button>& button, std::int64_t choice) {
    if (button) button->setState(choice);
  };
  auto slide = [](const std::shared_ptr<toolkit::Slider>& slider, std::int64_t choice) {
    if (slider) slider->setIntegerValue(choice);
  };
  if (saveSettingsButton) {
    saveSettingsButton->setState(saveSettingsValue);
    saveSettingsProc(saveSettingsButton.get());
  }
  state(colorSyncCB, colorSyncChoice);
  select(colorModePopup, colorModeChoice);
  select(printPriorityPopup, printPriorityChoice);
  select(imageTypePopup, imageTypeChoice);
  select(neutralGrayPopup, neutralGrayChoice);
  // Sliders show the same current choice as their popup or checkbox.
  slide(neutralGraySlider, neutralGrayChoice);
  state(pureBlackPrintCB, pureBlackPrintChoice);
  slide(pureBlackPrintSlider, pureBlackPrintChoice);
  state(blackOverprintCB, blackOverprintChoice);
  state(tonerSaveCB, tonerSaveChoice);
  select(sourceProfilePopup, sourceProfileChoice);
  select(renderingIntentPopup, renderingIntentChoice);
  select(outputProfilePopup, outputProfileChoice);
  select(cmykoutputProfilePopup, cmykoutputProfileChoice);
  select(screeningPopup, screeningChoice);
  if (cmykSimulationCB) {
    cmykSimulationCB->setState(cmykSimulationChoice);
    if (cmykSimulationChoice == 0 && preservepurecmykcolorsCB) preservepurecmykcolorsCB->setEnabled(false);
    preservepurecmykcolorsProc(preservepurecmykcolorsCB.get());
  }
  // Trapping's checkbox and popup share one current choice.
  select(simulationProfilePopup, simulationProfileChoice);
  state(trappingCB, trappingChoice);
  select(sharpnessPopup, sharpnessChoice);
  select(trappingPopup, trappingChoice);
  state(SmoothingCB, smoothingChoice);
  // The enabling rules, in their fixed order.
  fullEnablingRefresh();
}
