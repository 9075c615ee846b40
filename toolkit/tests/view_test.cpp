#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "toolkit/controls.h"
#include "toolkit/view_description.h"

namespace toolkit {
namespace {

TEST(View, SubviewsKnowTheirSuperviewAndMoveWhenAddedElsewhere) {
  auto a = std::make_shared<View>();
  auto b = std::make_shared<View>();
  auto child = std::make_shared<Button>();
  ASSERT_TRUE(a->addSubview(child));
  EXPECT_EQ(child->superview(), a.get());
  ASSERT_TRUE(b->addSubview(child));
  EXPECT_EQ(child->superview(), b.get());
  EXPECT_TRUE(a->subviews().empty());
  ASSERT_EQ(b->subviews().size(), 1u);
  child->removeFromSuperview();
  EXPECT_EQ(child->superview(), nullptr);
  EXPECT_TRUE(b->subviews().empty());
}

TEST(View, RefusesCycles) {
  auto a = std::make_shared<View>();
  auto b = std::make_shared<View>();
  ASSERT_TRUE(a->addSubview(b));
  EXPECT_FALSE(b->addSubview(a));
  EXPECT_FALSE(a->addSubview(a));
  EXPECT_EQ(a->superview(), nullptr);
}

TEST(View, ChildOutlivingItsSuperviewHasNone) {
  auto child = std::make_shared<TextField>();
  {
    auto parent = std::make_shared<View>();
    parent->addSubview(child);
  }
  EXPECT_EQ(child->superview(), nullptr);
  EXPECT_EQ(child->window(), nullptr);
}

TEST(View, HiddenAncestorHidesDescendants) {
  auto root = std::make_shared<View>();
  auto box = std::make_shared<Box>();
  auto field = std::make_shared<TextField>();
  root->addSubview(box);
  box->addSubview(field);
  EXPECT_FALSE(field->isHiddenOrHasHiddenAncestor());
  box->setHidden(true);
  EXPECT_TRUE(field->isHiddenOrHasHiddenAncestor());
  EXPECT_FALSE(field->isHidden());
}

TEST(Window, ViewsFindTheirWindowThroughTheRoot) {
  Window window;
  auto root = std::make_shared<View>();
  auto field = std::make_shared<TextField>();
  root->addSubview(field);
  window.setContentView(root);
  EXPECT_EQ(field->window(), &window);
  EXPECT_TRUE(window.makeFirstResponder(field.get()));
  EXPECT_EQ(window.firstResponder(), field.get());
  // Leaving the window ends being its first responder.
  field->removeFromSuperview();
  EXPECT_EQ(field->window(), nullptr);
  EXPECT_EQ(window.firstResponder(), nullptr);
  EXPECT_FALSE(window.makeFirstResponder(field.get()));
  EXPECT_TRUE(window.makeFirstResponder(nullptr));
}

TEST(Window, FirstResponderDestroyedIsNoLongerReported) {
  Window window;
  auto root = std::make_shared<View>();
  window.setContentView(root);
  {
    auto field = std::make_shared<TextField>();
    root->addSubview(field);
    window.makeFirstResponder(field.get());
    field->removeFromSuperview();
  }
  EXPECT_EQ(window.firstResponder(), nullptr);
}

TEST(Window, DestroyedWindowLeavesNoDanglingPointer) {
  auto root = std::make_shared<View>();
  {
    Window window;
    window.setContentView(root);
    EXPECT_EQ(root->window(), &window);
  }
  EXPECT_EQ(root->window(), nullptr);
}

TEST(TabView, ItemViewsAreChildrenAndSelectionFollowsRemoval) {
  auto tabs = std::make_shared<TabView>();
  for (const char* id : {"0", "1", "2"})
    tabs->addTabViewItem(std::make_shared<TabViewItem>(id, std::string("Tab ") + id, nullptr));
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(tabs->childViews().size(), 3u);
  EXPECT_EQ(tabs->tabViewItemAtIndex(1)->view().superview(), tabs.get());

  ASSERT_TRUE(tabs->selectTabViewItemAtIndex(2));
  std::shared_ptr<View> removedView = tabs->tabViewItemAtIndex(2)->viewPointer();
  tabs->removeTabViewItem(tabs->tabViewItemAtIndex(2));
  EXPECT_EQ(tabs->numberOfTabViewItems(), 2);
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(removedView->superview(), nullptr);
  EXPECT_EQ(tabs->indexOfTabViewItemWithIdentifier("2"), -1);
  EXPECT_FALSE(tabs->selectTabViewItemAtIndex(2));
}

class RefusingDelegate : public TabViewDelegate {
 public:
  bool tabViewShouldSelectTabViewItem(TabView*, TabViewItem* item) override {
    ++asked;
    return item->identifier() != "1";
  }
  void tabViewWillSelectTabViewItem(TabView*, TabViewItem*) override { ++told; }
  int asked = 0;
  int told = 0;
};

TEST(TabView, ClickAsksTheDelegateButProgramSelectionDoesNot) {
  TabView tabs;
  tabs.addTabViewItem(std::make_shared<TabViewItem>("0", "Basic", nullptr));
  tabs.addTabViewItem(std::make_shared<TabViewItem>("1", "Colour", nullptr));
  RefusingDelegate delegate;
  tabs.setDelegate(&delegate);
  EXPECT_FALSE(tabs.clickTabViewItemAtIndex(1));
  EXPECT_EQ(tabs.indexOfSelectedTabViewItem(), 0);
  EXPECT_EQ(delegate.told, 0);
  EXPECT_TRUE(tabs.clickTabViewItemAtIndex(0));
  EXPECT_EQ(delegate.told, 1);
  EXPECT_TRUE(tabs.selectTabViewItemAtIndex(1));
  EXPECT_EQ(delegate.asked, 2);
  EXPECT_FALSE(tabs.clickTabViewItemAtIndex(5));
}

TEST(Visibility, TabItemsOtherThanTheSelectedOneAreNotVisible) {
  auto root = std::make_shared<View>();
  auto tabs = std::make_shared<TabView>();
  root->addSubview(tabs);
  auto first = std::make_shared<View>();
  auto second = std::make_shared<View>();
  auto onFirst = std::make_shared<Button>();
  auto onSecond = std::make_shared<Button>();
  first->addSubview(onFirst);
  second->addSubview(onSecond);
  tabs->addTabViewItem(std::make_shared<TabViewItem>("0", "A", first));
  tabs->addTabViewItem(std::make_shared<TabViewItem>("1", "B", second));
  EXPECT_TRUE(isVisibleInside(*onFirst, *root));
  EXPECT_FALSE(isVisibleInside(*onSecond, *root));
  tabs->selectTabViewItemAtIndex(1);
  EXPECT_FALSE(isVisibleInside(*onFirst, *root));
  EXPECT_TRUE(isVisibleInside(*onSecond, *root));
  tabs->setHidden(true);
  EXPECT_FALSE(isVisibleInside(*onSecond, *root));
  auto elsewhere = std::make_shared<Button>();
  EXPECT_FALSE(isVisibleInside(*elsewhere, *root));
}

TEST(Describe, PopupItemsShowHowAPersonCanPickThem) {
  PopUpButton popup;
  popup.addItemWithTitle("A");
  popup.addItemWithTitle("B");
  popup.setItemEnabled(1, false);
  auto shown = describeView(popup);
  EXPECT_EQ(shown["kind"], "PopUpButton");
  EXPECT_EQ(shown["items"][1]["enabled"], true);  // automatic enabling wins
  popup.setAutoenablesItems(false);
  shown = describeView(popup);
  EXPECT_EQ(shown["items"][1]["enabled"], false);
  EXPECT_EQ(shown["items"][0]["title"], "A");
  EXPECT_EQ(shown["selectedIndex"], 0);
}

TEST(Describe, TextFieldShowsColourAndFirstResponder) {
  Window window;
  auto root = std::make_shared<View>();
  auto field = std::make_shared<TextField>(Rect{1, 2, 3, 4});
  root->addSubview(field);
  window.setContentView(root);
  field->setTextColor(Color::grey());
  field->setStringValue("Mode:");
  window.makeFirstResponder(field.get());
  auto shown = describeView(*field);
  EXPECT_EQ(shown["textColor"], "grey");
  EXPECT_EQ(shown["text"], "Mode:");
  EXPECT_EQ(shown["firstResponder"], true);
  EXPECT_EQ(shown["frame"], nlohmann::json::array({1, 2, 3, 4}));
  EXPECT_EQ(Color({1, 2, 255}).name(), "#0102ff");
}

}  // namespace
}  // namespace toolkit
