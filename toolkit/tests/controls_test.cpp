#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

// Records the actions it receives; knows only the handlers it was given.
class RecordingTarget : public ActionTarget {
 public:
  explicit RecordingTarget(std::vector<std::string> handlers) : handlers_(std::move(handlers)) {}
  bool performAction(std::string_view action, View* sender) override {
    if (!respondsToAction(action)) return false;
    calls.emplace_back(action);
    senders.push_back(sender);
    if (onAction) onAction(sender);
    return true;
  }
  bool respondsToAction(std::string_view action) const override {
    for (const auto& h : handlers_)
      if (h == action) return true;
    return false;
  }
  std::vector<std::string> calls;
  std::vector<View*> senders;
  std::function<void(View*)> onAction;

 private:
  std::vector<std::string> handlers_;
};

TEST(Control, SendActionCallsTheNamedHandlerWithTheSender) {
  RecordingTarget target({"colorModeProc:"});
  PopUpButton popup;
  EXPECT_FALSE(popup.sendAction());  // no target, no action
  popup.setTarget(&target);
  EXPECT_FALSE(popup.sendAction());  // no action
  popup.setAction("colorModeProc:");
  EXPECT_TRUE(popup.sendAction());
  popup.setAction("unknownProc:");
  EXPECT_FALSE(popup.sendAction());
  ASSERT_EQ(target.calls, std::vector<std::string>{"colorModeProc:"});
  EXPECT_EQ(target.senders[0], &popup);
}

TEST(Button, TwoStatesOnly) {
  Button b;
  for (const auto& [set, shown] : {std::pair{1, 1}, {7, 1}, {-1, 1}, {0, 0}}) {
    b.setState(set);
    EXPECT_EQ(b.state(), shown) << "after setState(" << set << ")";
  }
}

// Makes `checkbox` a checkbox that sends `action` to `target`.
void wireCheckbox(Button& checkbox, RecordingTarget& target, const char* action) {
  checkbox.setButtonType(ButtonType::checkbox);
  checkbox.setTarget(&target);
  checkbox.setAction(action);
}

TEST(Button, ClickFlipsCheckboxesAndTogglesThenSendsTheAction) {
  RecordingTarget target({"tonerSaveProc:"});
  Button checkbox;
  wireCheckbox(checkbox, target, "tonerSaveProc:");
  std::int64_t seenState = -5;
  target.onAction = [&](View* sender) { seenState = static_cast<Button*>(sender)->state(); };
  EXPECT_TRUE(checkbox.performClick());
  EXPECT_EQ(checkbox.state(), 1);
  EXPECT_EQ(seenState, 1);  // the handler sees the new state
  EXPECT_TRUE(checkbox.performClick());
  EXPECT_EQ(checkbox.state(), 0);
  // After one click a toggle is on; a push button keeps no state.
  for (const auto& [type, state] : {std::pair{ButtonType::toggle, 1}, {ButtonType::push, 0}}) {
    Button button;
    button.setButtonType(type);
    button.performClick();
    EXPECT_EQ(button.state(), state) << static_cast<int>(type);
  }
}

TEST(Button, DisabledClickDoesNothing) {
  RecordingTarget target({"act:"});
  Button checkbox;
  wireCheckbox(checkbox, target, "act:");
  checkbox.setEnabled(false);
  EXPECT_FALSE(checkbox.performClick());
  EXPECT_EQ(checkbox.state(), 0);
  EXPECT_TRUE(target.calls.empty());
}

TEST(PopUpButton, FirstItemIsSelectedAndRemovalClearsSelection) {
  PopUpButton popup;
  EXPECT_EQ(popup.indexOfSelectedItem(), -1);
  EXPECT_EQ(popup.selectedItem(), nullptr);
  EXPECT_EQ(popup.titleOfSelectedItem(), "");
  popup.addItemWithTitle("Auto");
  popup.addItemWithTitle("Colour");
  popup.addItemWithTitle("Colour");  // same titles are kept as separate items
  EXPECT_EQ(popup.numberOfItems(), 3);
  EXPECT_EQ(popup.indexOfSelectedItem(), 0);
  popup.removeAllItems();
  EXPECT_EQ(popup.indexOfSelectedItem(), -1);
  EXPECT_EQ(popup.lastItem(), nullptr);
}

TEST(PopUpButton, SelectionOutsideTheItemsIsRefusedAndKeepsTheSelection) {
  PopUpButton popup;
  for (const char* t : {"A", "B", "C"}) popup.addItemWithTitle(t);
  EXPECT_TRUE(popup.selectItemAtIndex(2));
  EXPECT_EQ(popup.titleOfSelectedItem(), "C");
  EXPECT_FALSE(popup.selectItemAtIndex(3));
  EXPECT_FALSE(popup.selectItemAtIndex(-2));
  EXPECT_EQ(popup.indexOfSelectedItem(), 2);
  EXPECT_TRUE(popup.selectItemAtIndex(-1));
  EXPECT_EQ(popup.indexOfSelectedItem(), -1);
  EXPECT_EQ(popup.itemAtIndex(3), nullptr);
  EXPECT_EQ(popup.itemAtIndex(-1), nullptr);
}

TEST(PopUpButton, RemovingAnItemKeepsTheSelectedOne) {
  PopUpButton popup;
  for (const char* t : {"A", "B", "C"}) popup.addItemWithTitle(t);
  popup.selectItemAtIndex(2);
  popup.removeItemAtIndex(0);
  EXPECT_EQ(popup.titleOfSelectedItem(), "C");
  popup.removeItemAtIndex(1);
  EXPECT_EQ(popup.indexOfSelectedItem(), 0);
  popup.removeItemAtIndex(7);
  EXPECT_EQ(popup.numberOfItems(), 1);
}

TEST(PopUpButton, ItemEnablingShowsOnlyWithoutAutomaticEnabling) {
  PopUpButton popup;
  popup.addItemWithTitle("A");
  popup.addItemWithTitle("B");
  popup.setItemEnabled(1, false);
  EXPECT_FALSE(popup.itemAtIndex(1)->enabled);
  EXPECT_TRUE(popup.isItemEnabled(1));
  popup.setAutoenablesItems(false);
  EXPECT_FALSE(popup.isItemEnabled(1));
  EXPECT_TRUE(popup.isItemEnabled(0));
  EXPECT_FALSE(popup.isItemEnabled(2));
  popup.setItemEnabled(5, false);  // no such item: nothing happens
  // A program may still select a disabled item.
  EXPECT_TRUE(popup.selectItemAtIndex(1));
}

TEST(PopUpButton, RepresentedObjectsComeBack) {
  PopUpButton popup;
  auto record = std::make_shared<int>(42);
  popup.addItem({"X", true, record});
  auto back = std::any_cast<std::shared_ptr<int>>(popup.itemAtIndex(0)->representedObject);
  EXPECT_EQ(back, record);
}

TEST(Slider, ValueStaysInItsRange) {
  Slider s;
  s.setRange(0, 4);
  s.setIntegerValue(3);
  EXPECT_EQ(s.integerValue(), 3);
  s.setIntegerValue(9);
  EXPECT_EQ(s.integerValue(), 4);
  s.setDoubleValue(-2);
  EXPECT_EQ(s.integerValue(), 0);
  s.setDoubleValue(2.7);
  EXPECT_EQ(s.integerValue(), 2);
  s.setRange(10, 5);  // given the wrong way round
  EXPECT_EQ(s.minValue(), 5);
  EXPECT_EQ(s.maxValue(), 10);
  EXPECT_EQ(s.integerValue(), 5);
  s.setDoubleValue(std::nan(""));
  EXPECT_EQ(s.doubleValue(), 5);
  s.setNumberOfTickMarks(-3);
  EXPECT_EQ(s.numberOfTickMarks(), 0);
}

TEST(SegmentedControl, SelectionAndSegmentEnabling) {
  SegmentedControl s;
  s.setSegments({{"Before", true}, {"After", true}});
  EXPECT_EQ(s.selectedSegment(), -1);
  EXPECT_TRUE(s.setSelectedSegment(1));
  EXPECT_FALSE(s.setSelectedSegment(2));
  EXPECT_EQ(s.selectedSegment(), 1);
  s.setEnabledForSegment(0, false);
  EXPECT_FALSE(s.isEnabledForSegment(0));
  EXPECT_FALSE(s.isEnabledForSegment(9));
  s.setSegments({{"Only", true}});
  EXPECT_EQ(s.selectedSegment(), -1);
}

}  // namespace
}  // namespace toolkit
