#include "toolkit/person_reach.h"

#include <gtest/gtest.h>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

using Kind = Obstacle::Kind;

// A shown root holding a box and a tab view with tabs "a" (selected) and
// "b", each tab holding one slider.
struct ShownPanel {
  std::shared_ptr<View> root = std::make_shared<View>();
  std::shared_ptr<Box> box = std::make_shared<Box>();
  std::shared_ptr<Button> inBox = std::make_shared<Button>();
  std::shared_ptr<TabView> tabs = std::make_shared<TabView>();
  std::shared_ptr<Slider> onA = std::make_shared<Slider>();
  std::shared_ptr<Slider> onB = std::make_shared<Slider>();

  ShownPanel() {
    root->addSubview(box);
    box->addSubview(inBox);
    root->addSubview(tabs);
    for (auto [identifier, slider] : {std::pair{"a", onA}, std::pair{"b", onB}}) {
      auto page = std::make_shared<View>();
      page->addSubview(slider);
      tabs->addTabViewItem(std::make_shared<TabViewItem>(identifier, identifier, page));
    }
    tabs->selectTabViewItemAtIndex(0);
  }
};

Kind kindOf(const std::optional<Obstacle>& obstacle) { return obstacle.value().kind; }

TEST(PersonReach, UsableOnlyWhenShownOnTheSelectedTabAndEnabledElseNamesWhatStandsInTheWay) {
  ShownPanel p;
  EXPECT_FALSE(whyUnusable(*p.inBox, p.root.get()));
  EXPECT_FALSE(whyUnusable(*p.onA, p.root.get()));
  EXPECT_FALSE(whyUnusable(*p.box, p.box.get())) << "a shown view reaches itself";
  EXPECT_EQ(kindOf(whyUnusable(*p.inBox, nullptr)), Kind::notShown);
  EXPECT_EQ(kindOf(whyUnusable(*p.inBox, p.tabs.get())), Kind::outsideShownView);
  auto tab = whyUnusable(*p.onB, p.root.get());
  EXPECT_EQ(kindOf(tab), Kind::onUnselectedTab);
  EXPECT_EQ(tab->tab, "b");
  p.inBox->setEnabled(false);
  EXPECT_EQ(kindOf(whyUnusable(*p.inBox, p.root.get())), Kind::disabled);
  EXPECT_FALSE(whyUnreachable(*p.inBox, p.root.get())) << "reachable even when disabled";
  p.box->setHidden(true);
  EXPECT_EQ(kindOf(whyUnusable(*p.inBox, p.root.get())), Kind::insideHiddenView);
  EXPECT_EQ(kindOf(whyUnusable(*p.box, p.root.get())), Kind::hidden);
}

TEST(PersonReach, PicksOnlyPopupItemsAndSegmentsThatAreThereAndEnabled) {
  PopUpButton popup;
  popup.setAutoenablesItems(false);
  popup.addItemWithTitle("on");
  popup.addItemWithTitle("off");
  popup.setItemEnabled(1, false);
  SegmentedControl control;
  control.setSegments({{"before", true}, {"after", false}});
  for (const auto& why : {whyNotPickable(popup, 0), whyNotPickable(control, 0)}) EXPECT_FALSE(why);
  for (const auto& why : {whyNotPickable(popup, 1), whyNotPickable(control, 1)})
    EXPECT_EQ(why, PickRefusal::entryDisabled);
  for (std::int64_t outside : {-1, 2})
    for (const auto& why : {whyNotPickable(popup, outside), whyNotPickable(control, outside)})
      EXPECT_EQ(why, PickRefusal::noSuchEntry);
}

TEST(PersonReach, TickMarksSpreadEvenlyFromLowToHigh) {
  const TickMarks marks{-3, 3, 4};
  EXPECT_DOUBLE_EQ(marks.step(), 2);
  EXPECT_DOUBLE_EQ(marks.at(0), -3);
  EXPECT_DOUBLE_EQ(marks.at(3), 3);
  EXPECT_EQ(marks.nearestIndex(0.2), 2);
  EXPECT_DOUBLE_EQ(marks.nearest(-2.2), -3);
  EXPECT_TRUE(marks.holds(1));
  EXPECT_FALSE(marks.holds(0));
  const TickMarks none{0, 10, 1};
  EXPECT_DOUBLE_EQ(none.step(), 0);
  EXPECT_DOUBLE_EQ(none.nearest(4.4), 4.4);
  EXPECT_TRUE(none.holds(4.4));
}

TEST(PersonReach, SliderTakesValuesInRangeAndOnlyItsTicksWhenItStopsThere) {
  Slider slider;
  slider.setRange(0, 10);
  slider.setNumberOfTickMarks(3);
  EXPECT_FALSE(whyNotSlidable(slider, 4)) << "ticks only guide a free slider";
  EXPECT_EQ(valueAtPosition(slider, 3.6), 4);
  slider.setAllowsTickMarkValuesOnly(true);
  EXPECT_TRUE(stopsOnlyAtTickMarks(slider));
  EXPECT_EQ(whyNotSlidable(slider, 4), SlideRefusal::offTickMark);
  EXPECT_FALSE(whyNotSlidable(slider, 5));
  EXPECT_EQ(whyNotSlidable(slider, 11), SlideRefusal::outOfRange);
  EXPECT_EQ(whyNotSlidable(slider, -1), SlideRefusal::outOfRange);
  EXPECT_EQ(valueAtPosition(slider, 3.6), 5);
  EXPECT_EQ(valueAtPosition(slider, 8), 10);
  slider.setNumberOfTickMarks(1);
  EXPECT_FALSE(stopsOnlyAtTickMarks(slider)) << "one mark does not stop a slider";
  EXPECT_FALSE(whyNotSlidable(slider, 4));
}

}  // namespace
}  // namespace toolkit
