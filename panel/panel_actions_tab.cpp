// The tab view's delegate: the colour tab is closed while colour mode 2 or
// toner save leaves nothing on it to set.
#include "VemraPrintPdeLX4200CO.h"
#include "panel_actions_terms.h"

bool VemraPrintPdeLX4200CO::tabViewShouldSelectTabViewItem(toolkit::TabView* /*tabView*/,
                                                           toolkit::TabViewItem* item) {
  if (!item || item->identifier().empty()) return true;
  if (item->identifier() == "1") return !(panel_terms::colorModeIs2(*this) || panel_terms::tonerSaveIsOn(*this));
  return true;
}

void VemraPrintPdeLX4200CO::tabViewWillSelectTabViewItem(toolkit::TabView* /*tabView*/, toolkit::TabViewItem* /*item*/) {}
