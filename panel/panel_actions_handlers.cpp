// Control handlers and the tab view delegate.
// NOT BUILT YET: every body below is empty until the handlers are written;
// the layout's actions already reach them by name.
#include "VemraPrintPdeLX4200CO.h"

void VemraPrintPdeLX4200CO::saveSettingsProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::colorSyncProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::colorModeProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::printPriorityProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::imageTypeProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::neutralGrayProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::neutralGraySliderProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::pureBlackPrintProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::pureBlackPrintSliderProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::blackOverprintProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::tonerSaveProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::SmoothingProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::sourceProfileProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::renderingIntentProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::outputProfileProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::cmykoutputProfileProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::screeningProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::cmykSimulationProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::preservepurecmykcolorsProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::simulationProfileProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::trappingProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::sharpnessProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::sampleViewProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::hueProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::saturationProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::brightnessProc(toolkit::View* /*sender*/) {}
void VemraPrintPdeLX4200CO::colorAdjustmentProc(toolkit::View* /*sender*/) {}

// Not built yet: lets every switch through, as a tab view without a delegate does.
bool VemraPrintPdeLX4200CO::tabViewShouldSelectTabViewItem(toolkit::TabView* /*tabView*/,
                                                           toolkit::TabViewItem* /*item*/) {
  return true;
}

void VemraPrintPdeLX4200CO::tabViewWillSelectTabViewItem(toolkit::TabView* /*tabView*/, toolkit::TabViewItem* /*item*/) {}
