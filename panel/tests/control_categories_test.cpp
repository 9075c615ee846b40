#include "control_categories.h"

#include <gtest/gtest.h>

#include "ppd_adapter.h"
#include "ppd_fixture.h"

namespace {

struct Spy : toolkit::ActionTarget {
  bool performAction(std::string_view action, toolkit::View* sender) override {
    sent.emplace_back(action);
    senders.push_back(sender);
    if (auto* popup = dynamic_cast<toolkit::PopUpButton*>(sender)) seenSelection.push_back(popup->indexOfSelectedItem());
    return true;
  }
  bool respondsToAction(std::string_view) const override { return true; }
  std::vector<std::string> sent;
  std::vector<toolkit::View*> senders;
  std::vector<std::int64_t> seenSelection;
};

TEST(Hilite, ButtonsSlidersAndPopupsAreDisabledOrEnabled) {
  toolkit::Button button;
  toolkit::Slider slider;
  toolkit::PopUpButton popup;
  toolkit::SegmentedControl segments;
  for (toolkit::Control* c : std::initializer_list<toolkit::Control*>{&button, &slider, &popup, &segments}) {
    myLX4200COHilite(c, true);
    EXPECT_FALSE(c->isEnabled());
    myLX4200COHilite(c, false);
    EXPECT_TRUE(c->isEnabled());
  }
  myLX4200COHilite(static_cast<toolkit::Control*>(nullptr), true);
  myLX4200COHilite(std::shared_ptr<toolkit::Button>(), true);
}

TEST(Hilite, LabelsOnlyChangeColour) {
  auto label = std::make_shared<toolkit::TextField>();
  label->setEditable(true);  // even an editable label keeps its editability
  toolkit::Window window;
  window.setContentView(label);
  window.makeFirstResponder(label.get());
  myLX4200COHilite(label, true);
  EXPECT_EQ(label->textColor(), toolkit::Color::grey());
  EXPECT_TRUE(label->isEditable());
  EXPECT_TRUE(label->isEnabled());
  EXPECT_EQ(window.firstResponder(), label.get());
  myLX4200COHilite(label, false);
  EXPECT_EQ(label->textColor(), toolkit::Color::black());
  EXPECT_TRUE(label->isEditable());
  // Reached as a plain control, it still behaves as a text field.
  myLX4200COHilite(static_cast<toolkit::Control*>(label.get()), true);
  EXPECT_EQ(label->textColor(), toolkit::Color::grey());
  EXPECT_TRUE(label->isEnabled());
}

TEST(Hilite, EntryFieldsStopAndStartTakingInput) {
  auto root = std::make_shared<toolkit::View>();
  auto entry = std::make_shared<toolkit::TextField>();
  entry->setTag(7);
  root->addSubview(entry);
  toolkit::Window window;
  window.setContentView(root);

  myLX4200COHilite(entry, false);
  EXPECT_TRUE(entry->isEditable());
  EXPECT_TRUE(entry->isSelectable());
  EXPECT_EQ(entry->textColor(), toolkit::Color::black());
  EXPECT_EQ(window.firstResponder(), entry.get());

  myLX4200COHilite(entry, true);
  EXPECT_FALSE(entry->isEditable());
  EXPECT_FALSE(entry->isSelectable());
  EXPECT_EQ(entry->textColor(), toolkit::Color::grey());
  EXPECT_EQ(window.firstResponder(), nullptr);

  // Outside a window only the field itself changes.
  toolkit::TextField loose;
  loose.setTag(1);
  myLX4200COHilite(&loose, false);
  EXPECT_TRUE(loose.isEditable());
}

TEST(SelectItem, SelectsThenFiresTheOwnAction) {
  toolkit::PopUpButton popup;
  for (const char* t : {"a", "b", "c"}) popup.addItemWithTitle(t);
  Spy spy;
  popup.setTarget(&spy);
  popup.setAction("colorModeProc:");
  myLX4200SelectItemAtIndex(&popup, 2);
  EXPECT_EQ(popup.indexOfSelectedItem(), 2);
  ASSERT_EQ(spy.sent, std::vector<std::string>{"colorModeProc:"});
  EXPECT_EQ(spy.senders[0], &popup);
  EXPECT_EQ(spy.seenSelection[0], 2);  // the handler sees the new selection

  // The same item again still fires.
  myLX4200SelectItemAtIndex(&popup, 2);
  EXPECT_EQ(spy.sent.size(), 2u);
  // An index beyond the items leaves the selection and still fires.
  myLX4200SelectItemAtIndex(&popup, 9);
  EXPECT_EQ(popup.indexOfSelectedItem(), 2);
  EXPECT_EQ(spy.sent.size(), 3u);
  // A disabled item can be selected by the program.
  popup.setAutoenablesItems(false);
  popup.setItemEnabled(0, false);
  myLX4200SelectItemAtIndex(&popup, 0);
  EXPECT_EQ(popup.indexOfSelectedItem(), 0);
  myLX4200SelectItemAtIndex(std::shared_ptr<toolkit::PopUpButton>(), 0);
}

TEST(PopUpFilling, OneItemPerRecordWithEmptyTitlesKeptInPlace) {
  testppd::Description d;
  d.languageEncoding = "UTF-8";
  d.options.push_back({"VMCMode", "Mode", "PickOne", {{"Auto", "Automático"}, {"Bad", "bad \xff"}, {"Gray", "Gris"}}, "Auto"});
  testppd::OpenPPD file(d);
  ASSERT_NE(file.get(), nullptr);
  auto choices = ArrayFromPPDOption(ppdx::findOption(file.get(), "VMCMode"));
  ASSERT_NE(choices, nullptr);
  toolkit::PopUpButton popup;
  popup.addItemWithTitle("left over");
  popup.addItemWithTitle("from the layout");
  InitPopUpFromArray(&popup, choices.get(), kStringEncodingUTF8);
  ASSERT_EQ(popup.numberOfItems(), 3);
  EXPECT_EQ(popup.items()[0].title, "Automático");
  EXPECT_EQ(popup.items()[1].title, "");
  EXPECT_EQ(popup.items()[2].title, "Gris");
  for (size_t i = 0; i < 3; ++i) {
    const auto* record = std::any_cast<PDEChoiceRef>(&popup.items()[i].representedObject);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(*record, (*choices)[i]);
  }
  InitPopUpFromArray(&popup, nullptr, kStringEncodingUTF8);
  EXPECT_EQ(popup.numberOfItems(), 0);
}

}  // namespace
