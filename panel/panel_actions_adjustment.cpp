// The colour-adjustment checkbox and sliders and the sample view's segments.
// None of their values is recorded: they only steer what the sample shows.
#include "VemraPrintPdeLX4200CO.h"
#include "control_categories.h"

namespace {

// Sliders are enabled or disabled outright; titles go through the hilite so
// that they turn black or grey.
void setAdjustmentEnabled(VemraPrintPdeLX4200CO& panel, bool enabled) {
  myLX4200COHilite(panel.hueTitle, !enabled);
  if (panel.hueSlider) panel.hueSlider->setEnabled(enabled);
  myLX4200COHilite(panel.saturationTitle, !enabled);
  if (panel.saturationSlider) panel.saturationSlider->setEnabled(enabled);
  myLX4200COHilite(panel.brightnessTitle, !enabled);
  if (panel.brightnessSlider) panel.brightnessSlider->setEnabled(enabled);
}

void refreshSample(VemraPrintPdeLX4200CO& panel) {
  if (panel.sampleViewSelectControl && panel.sampleViewSelectControl->selectedSegment() == 0) {
    panel.updatePreview();
  } else {
    panel.updateArrow();
  }
}

}  // namespace

void VemraPrintPdeLX4200CO::sampleViewProc(toolkit::View* /*sender*/) { refreshSample(*this); }
void VemraPrintPdeLX4200CO::hueProc(toolkit::View* /*sender*/) { refreshSample(*this); }
void VemraPrintPdeLX4200CO::saturationProc(toolkit::View* /*sender*/) { refreshSample(*this); }
void VemraPrintPdeLX4200CO::brightnessProc(toolkit::View* /*sender*/) { refreshSample(*this); }

void VemraPrintPdeLX4200CO::colorAdjustmentProc(toolkit::View* /*sender*/) {
  setAdjustmentEnabled(*this, colorAdjustmentCB && colorAdjustmentCB->state() == toolkit::kOnState);
  refreshSample(*this);
}
