// Control handlers: each reads its own outlet (never the sender), records the
// option's current choice and then runs the rules of the options that depend
// on it, in a fixed order.
#include <cstdint>

#include "VemraPrintPdeLX4200CO.h"
#include "control_categories.h"
#include "panel_actions_terms.h"

namespace {

// The handlers that run rules, and so can be part of a chain.
enum class Handler : unsigned {
  saveSettings,
  colorSync,
  colorMode,
  printPriority,
  imageType,
  neutralGray,
  neutralGraySlider,
  tonerSave,
  sourceProfile,
  cmykSimulation,
  preservepurecmykcolors,
};

// Marks a handler as running for its scope. With the layout's wiring no chain
// reaches the handler it started from; a layout that wired a popup to the
// wrong handler could, and would recurse without end. Such a nested call is
// dropped instead.
class HandlerEntry {
 public:
  HandlerEntry(std::uint64_t& running, Handler handler)
      : running_(running), bit_(std::uint64_t{1} << static_cast<unsigned>(handler)) {
    entered_ = (running_ & bit_) == 0;
    if (entered_) running_ |= bit_;
  }
  ~HandlerEntry() {
    if (entered_) running_ &= ~bit_;
  }
  HandlerEntry(const HandlerEntry&) = delete;
  HandlerEntry& operator=(const HandlerEntry&) = delete;
  explicit operator bool() const { return entered_; }

 private:
  std::uint64_t& running_;
  std::uint64_t bit_;
  bool entered_ = false;
};

void recordIndex(const std::shared_ptr<toolkit::PopUpButton>& popup, std::int64_t& field) {
  if (popup) field = popup->indexOfSelectedItem();
}

void recordState(const std::shared_ptr<toolkit::Button>& box, std::int64_t& field) {
  if (box) field = box->state();
}

void recordValue(const std::shared_ptr<toolkit::Slider>& slider, std::int64_t& field) {
  if (slider) field = slider->integerValue();
}

}  // namespace

void VemraPrintPdeLX4200CO::saveSettingsProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::saveSettings);
  if (!entry) return;
  saveSettingsValue = saveSettingsButton && saveSettingsButton->state() == toolkit::kOnState ? 1 : 0;
  // Locking changes what may be operated, never a value: no forcing rule.
  fullEnablingRefresh();
}

void VemraPrintPdeLX4200CO::colorSyncProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::colorSync);
  if (!entry) return;
  recordState(colorSyncCB, colorSyncChoice);
  tonerSaveControl();
  tonerSaveHiliteControl();
  printPriorityControl();
  printPriorityHiliteControl();
  imageTypeControl();
  imageTypeHiliteControl();
  outputProfileControl();
  outputProfileHiliteControl();
}

void VemraPrintPdeLX4200CO::colorModeProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::colorMode);
  if (!entry) return;
  recordIndex(colorModePopup, colorModeChoice);
  imageTypeControl();
  imageTypeHiliteControl();
  printPriorityControl();
  printPriorityHiliteControl();
  screeningControl();
  screeningHiliteControl();
  outputProfileControl();
  outputProfileHiliteControl();
}

void VemraPrintPdeLX4200CO::printPriorityProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::printPriority);
  if (!entry) return;
  recordIndex(printPriorityPopup, printPriorityChoice);
  trappingControl();
  trappingHiliteControl();
  sharpnessControl();
  sharpnessHiliteControl();
  screeningControl();
  screeningHiliteControl();
}

void VemraPrintPdeLX4200CO::imageTypeProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::imageType);
  if (!entry) return;
  recordIndex(imageTypePopup, imageTypeChoice);
  // Also when the same item is chosen again.
  setColorSettingValueCondor();
}

void VemraPrintPdeLX4200CO::neutralGrayProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::neutralGray);
  if (!entry) return;
  recordIndex(neutralGrayPopup, neutralGrayChoice);
  pureBlackPrintControl();
  pureBlackPrintHiliteControl();
}

void VemraPrintPdeLX4200CO::neutralGraySliderProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::neutralGraySlider);
  if (!entry) return;
  // The slider's position n stands for choice n.
  recordValue(neutralGraySlider, neutralGrayChoice);
  pureBlackPrintControl();
  pureBlackPrintHiliteControl();
}

void VemraPrintPdeLX4200CO::pureBlackPrintProc(toolkit::View* /*sender*/) {
  recordState(pureBlackPrintCB, pureBlackPrintChoice);
}

void VemraPrintPdeLX4200CO::pureBlackPrintSliderProc(toolkit::View* /*sender*/) {
  recordValue(pureBlackPrintSlider, pureBlackPrintChoice);
}

void VemraPrintPdeLX4200CO::blackOverprintProc(toolkit::View* /*sender*/) {
  recordState(blackOverprintCB, blackOverprintChoice);
}

void VemraPrintPdeLX4200CO::tonerSaveProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::tonerSave);
  if (!entry) return;
  recordState(tonerSaveCB, tonerSaveChoice);
  imageTypeControl();
  imageTypeHiliteControl();
  printPriorityControl();
  printPriorityHiliteControl();
  neutralGrayHiliteControl();
  blackOverprintHiliteControl();
  outputProfileControl();
  outputProfileHiliteControl();
}

void VemraPrintPdeLX4200CO::SmoothingProc(toolkit::View* /*sender*/) {
  smoothingChoice = SmoothingCB ? SmoothingCB->state() : 0;
}

void VemraPrintPdeLX4200CO::sourceProfileProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::sourceProfile);
  if (!entry) return;
  recordIndex(sourceProfilePopup, sourceProfileChoice);
  renderingIntentControl();
  renderingIntentHiliteControl();
}

void VemraPrintPdeLX4200CO::renderingIntentProc(toolkit::View* /*sender*/) {
  // Under a preset image type the preset's rendering intent stands.
  if (imageTypePopup && panel_terms::imageTypeIsCustom(*this)) recordIndex(renderingIntentPopup, renderingIntentChoice);
}

void VemraPrintPdeLX4200CO::outputProfileProc(toolkit::View* /*sender*/) {
  recordIndex(outputProfilePopup, outputProfileChoice);
}

void VemraPrintPdeLX4200CO::cmykoutputProfileProc(toolkit::View* /*sender*/) {
  recordIndex(cmykoutputProfilePopup, cmykoutputProfileChoice);
}

void VemraPrintPdeLX4200CO::screeningProc(toolkit::View* /*sender*/) { recordIndex(screeningPopup, screeningChoice); }

void VemraPrintPdeLX4200CO::cmykSimulationProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::cmykSimulation);
  if (!entry) return;
  // The rules read the checkbox itself, so they run before the choice is recorded.
  simulationProfileHiliteControl();
  simulationProfileControl();
  renderingIntentHiliteControl();
  renderingIntentControl();
  cmykoutputProfileHiliteControl();
  cmykoutputProfileControl();
  recordState(cmykSimulationCB, cmykSimulationChoice);
  if (cmykSimulationChoice != 0) {
    myLX4200COHilite(preservepurecmykcolorsCB, false);
    if (simulationProfilePopup && simulationProfilePopup->numberOfItems() > 0)
      simulationProfilePopup->setItemEnabled(simulationProfilePopup->numberOfItems() - 1, true);
  } else if (preservepurecmykcolorsCB) {
    // A plain change: the preserve checkbox's handler does not run.
    preservepurecmykcolorsCB->setState(toolkit::kOffState);
    myLX4200COHilite(preservepurecmykcolorsCB, true);
  }
}

void VemraPrintPdeLX4200CO::preservepurecmykcolorsProc(toolkit::View* /*sender*/) {
  HandlerEntry entry(runningHandlers_, Handler::preservepurecmykcolors);
  if (!entry) return;
  preservepurecmykcolorChoice = preservepurecmykcolorsCB ? preservepurecmykcolorsCB->state() : 0;
  preservepurecmykcolorsHiliteControl();
}

void VemraPrintPdeLX4200CO::simulationProfileProc(toolkit::View* /*sender*/) {
  recordIndex(simulationProfilePopup, simulationProfileChoice);
}

void VemraPrintPdeLX4200CO::recordTrappingChoice() {
  recordState(trappingCB, trappingChoice);
  recordIndex(trappingPopup, trappingChoice);
}

void VemraPrintPdeLX4200CO::trappingProc(toolkit::View* /*sender*/) { recordTrappingChoice(); }

void VemraPrintPdeLX4200CO::sharpnessProc(toolkit::View* /*sender*/) { recordIndex(sharpnessPopup, sharpnessChoice); }
