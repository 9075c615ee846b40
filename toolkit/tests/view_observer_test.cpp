#include <gtest/gtest.h>

#include <vector>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

struct Recorder : ViewObserver {
  std::vector<View*> changed;
  void viewDidChange(View& view) override { changed.push_back(&view); }
};

// A window with a root view holding a popup, a tab view with one item whose
// view holds a checkbox, and a recorder listening.
struct Shown : ::testing::Test {
  Window window;
  Recorder recorder;
  std::shared_ptr<View> root = std::make_shared<View>();
  std::shared_ptr<PopUpButton> popup = std::make_shared<PopUpButton>();
  std::shared_ptr<TabView> tabs = std::make_shared<TabView>();
  std::shared_ptr<Button> box = std::make_shared<Button>();

  void SetUp() override {
    root->addSubview(popup);
    root->addSubview(tabs);
    auto page = std::make_shared<View>();
    page->addSubview(box);
    tabs->addTabViewItem(std::make_shared<TabViewItem>("0", "Basic", page));
    window.setContentView(root);
    window.setObserver(&recorder);
  }
};

TEST_F(Shown, EveryStateChangeOfAShownControlIsReported) {
  popup->addItemWithTitle("A");
  popup->addItemWithTitle("B");
  popup->selectItemAtIndex(1);
  popup->setItemEnabled(0, false);
  popup->setEnabled(false);
  box->setState(kOnState);
  box->setTitle("Toner Save");
  box->setFrame({12, 43, 227, 18});
  box->setHidden(true);
  tabs->tabViewItemAtIndex(0)->setLabel("Basics");
  tabs->selectTabViewItemAtIndex(0);
  const std::vector<View*> expected = {popup.get(), popup.get(), popup.get(), popup.get(), popup.get(),
                                       box.get(),   box.get(),   box.get(),   box.get(),   tabs.get(),
                                       tabs.get()};
  EXPECT_EQ(recorder.changed, expected);
}

TEST_F(Shown, AddingAndRemovingSubviewsReportsTheSuperview) {
  auto built = std::make_shared<Button>();
  root->addSubview(built);
  built->removeFromSuperview();
  tabs->removeTabViewItem(tabs->tabViewItemAtIndex(0));
  const std::vector<View*> expected = {root.get(), root.get(), tabs.get()};
  EXPECT_EQ(recorder.changed, expected);
  // Once out of the window, the checkbox of the removed tab reports nothing.
  recorder.changed.clear();
  box->setState(kOnState);
  EXPECT_TRUE(recorder.changed.empty());
}

TEST_F(Shown, NothingIsReportedWithoutAnObserverOrOutsideTheWindow) {
  auto loose = std::make_shared<Slider>();
  loose->setRange(0, 4);
  loose->setIntegerValue(2);
  EXPECT_TRUE(recorder.changed.empty());
  window.setObserver(nullptr);
  popup->setEnabled(false);
  EXPECT_TRUE(recorder.changed.empty());
}

}  // namespace
}  // namespace toolkit
