#include "session/panel_outline.h"

#include <gtest/gtest.h>

#include "toolkit/controls.h"

namespace pdehost {
namespace {

using Lines = std::vector<std::string>;

template <typename T>
std::shared_ptr<T> add(toolkit::View& parent, toolkit::Rect frame) {
  auto view = std::make_shared<T>(frame);
  parent.addSubview(view);
  return view;
}

TEST(PanelOutline, RowsFromTheTopBoxesAfterTheirNeighbours) {
  toolkit::View root(toolkit::Rect{0, 0, 300, 200});
  auto box = add<toolkit::Box>(root, {150, 20, 140, 170});
  box->setTitle("Simulation");
  auto inBox = add<toolkit::Button>(*box, {5, 130, 100, 18});
  inBox->setButtonType(toolkit::ButtonType::checkbox);
  inBox->setTitle("Simulate");
  inBox->setEnabled(false);
  auto label = add<toolkit::TextField>(root, {10, 170, 60, 17});
  label->setStringValue("Mode:");
  auto popup = add<toolkit::PopUpButton>(root, {70, 166, 70, 26});
  popup->addItemWithTitle("Auto");
  auto lower = add<toolkit::TextField>(root, {10, 100, 60, 17});
  lower->setStringValue("Lower");
  lower->setTextColor(toolkit::Color::grey());
  auto gone = add<toolkit::TextField>(root, {10, 60, 60, 17});
  gone->setStringValue("Hidden");
  gone->setHidden(true);
  EXPECT_EQ(outlinePanel(root), (Lines{"Mode:   [Auto v] (1 items)", "Lower (grey)", "+- Simulation -+",
                                       "  [ ] Simulate (dimmed)"}));
}

TEST(PanelOutline, OnlyTheSelectedTabIsDrawn) {
  toolkit::View root(toolkit::Rect{0, 0, 300, 200});
  auto tabs = add<toolkit::TabView>(root, {0, 0, 300, 200});
  auto first = std::make_shared<toolkit::View>();
  add<toolkit::TextField>(*first, {5, 5, 50, 17})->setStringValue("On first");
  auto second = std::make_shared<toolkit::View>();
  auto slider = add<toolkit::Slider>(*second, {5, 5, 100, 20});
  slider->setRange(0, 4);
  slider->setIntegerValue(4);
  tabs->addTabViewItem(std::make_shared<toolkit::TabViewItem>("0", "Basic", first));
  tabs->addTabViewItem(std::make_shared<toolkit::TabViewItem>("1", "Color", second));
  EXPECT_EQ(outlinePanel(root), (Lines{"Tabs: [Basic] | Color", "  On first"}));
  tabs->selectTabViewItemAtIndex(1);
  EXPECT_EQ(outlinePanel(root), (Lines{"Tabs: Basic | [Color]", "  |--------o| 4"}));
  root.setHidden(true);
  EXPECT_TRUE(outlinePanel(root).empty());
}

}  // namespace
}  // namespace pdehost
