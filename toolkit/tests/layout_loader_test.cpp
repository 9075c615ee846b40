#include "toolkit/layout_loader.h"

#include <gtest/gtest.h>

#include <map>

#include "toolkit/controls.h"

namespace toolkit {
namespace {

// An owner with a fixed set of outlets and handlers.
class Owner : public LayoutOwner {
 public:
  bool setOutlet(std::string_view name, const std::shared_ptr<View>& view) override {
    if (name == "unwanted") return false;
    outlets[std::string(name)] = view;
    return true;
  }
  bool performAction(std::string_view action, View*) override {
    performed.emplace_back(action);
    return respondsToAction(action);
  }
  bool respondsToAction(std::string_view action) const override { return action != "missingProc:"; }
  std::map<std::string, std::shared_ptr<View>> outlets;
  std::vector<std::string> performed;
};

constexpr const char* kLayout = R"({
  "name": "Sample",
  "views": [{
    "class": "View", "outlet": "panelView", "frame": [0, 0, 400, 300],
    "subviews": [
      {"class": "Button", "outlet": "saveSettingsButton", "buttonType": "toggle",
       "image": {"icon": "changes-allow", "size": [18, 18]}, "frame": [370, 270, 22, 22],
       "action": "saveSettingsProc:"},
      {"class": "TabView", "outlet": "mainTabView", "frame": [0, 0, 400, 260], "tabs": [
        {"label": "Basic", "identifier": "0", "subviews": [
          {"class": "TextField", "outlet": "colorModeTitle", "stringValue": "Color Mode:",
           "textColor": "grey"},
          {"class": "PopUpButton", "outlet": "colorModePopup", "items": ["A", {"title": "B", "enabled": false}],
           "selectedIndex": 1, "autoenablesItems": false, "action": "colorModeProc:", "tag": 3}
        ]},
        {"label": "Color", "identifier": "1", "frame": [5, 5, 390, 220], "subviews": [
          {"class": "Box", "outlet": "cmykSimulationBox", "title": "Simulation", "subviews": [
            {"class": "Slider", "outlet": "hueSlider", "minValue": -10, "maxValue": 10, "value": 2,
             "numberOfTickMarks": 21, "allowsTickMarkValuesOnly": true, "enabled": false}
          ]},
          {"class": "SegmentedControl", "outlet": "sampleViewSelectControl",
           "segments": ["Before", {"label": "After", "enabled": false}], "selectedSegment": 0},
          {"class": "ImageView", "outlet": "sampleView", "image": {"icon": "printer"}, "hidden": true},
          {"class": "Button", "buttonType": "checkbox", "outlet": "unwanted", "state": 1, "title": "X",
           "action": "missingProc:"}
        ]}
      ], "selectedIndex": 1}
    ]
  }]
})";

TEST(LayoutLoader, BuildsNestedViewsAndConnectsOutletsAndActions) {
  Owner owner;
  std::string error;
  auto layout = loadLayoutFromString(kLayout, &owner, &error, "Sample.json");
  ASSERT_TRUE(layout) << error;
  ASSERT_EQ(layout->topLevelObjects.size(), 1u);
  EXPECT_EQ(owner.outlets.at("panelView"), layout->topLevelObjects[0]);
  EXPECT_EQ(owner.outlets.size(), 9u);
  EXPECT_EQ(owner.outlets.count("unwanted"), 0u);

  auto button = std::dynamic_pointer_cast<Button>(owner.outlets.at("saveSettingsButton"));
  ASSERT_TRUE(button);
  EXPECT_EQ(button->buttonType(), ButtonType::toggle);
  EXPECT_EQ(button->image()->iconName, "changes-allow");
  EXPECT_EQ(button->image()->size, (Size{18, 18}));
  EXPECT_EQ(button->frame(), (Rect{370, 270, 22, 22}));
  EXPECT_EQ(button->superview(), layout->topLevelObjects[0].get());
  EXPECT_EQ(button->target(), &owner);
  EXPECT_EQ(button->action(), "saveSettingsProc:");

  auto tabs = std::dynamic_pointer_cast<TabView>(owner.outlets.at("mainTabView"));
  ASSERT_TRUE(tabs);
  ASSERT_EQ(tabs->numberOfTabViewItems(), 2);
  EXPECT_EQ(tabs->tabViewItemAtIndex(1)->identifier(), "1");
  EXPECT_EQ(tabs->tabViewItemAtIndex(1)->label(), "Color");
  EXPECT_EQ(tabs->tabViewItemAtIndex(1)->view().frame(), (Rect{5, 5, 390, 220}));
  EXPECT_EQ(tabs->indexOfSelectedTabViewItem(), 1);

  auto popup = std::dynamic_pointer_cast<PopUpButton>(owner.outlets.at("colorModePopup"));
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->superview(), &tabs->tabViewItemAtIndex(0)->view());
  EXPECT_EQ(popup->indexOfSelectedItem(), 1);
  EXPECT_FALSE(popup->autoenablesItems());
  EXPECT_FALSE(popup->isItemEnabled(1));
  EXPECT_EQ(popup->tag(), 3);
  popup->sendAction();
  EXPECT_EQ(owner.performed, std::vector<std::string>{"colorModeProc:"});

  auto title = std::dynamic_pointer_cast<TextField>(owner.outlets.at("colorModeTitle"));
  EXPECT_EQ(title->stringValue(), "Color Mode:");
  EXPECT_EQ(title->textColor(), Color::grey());

  auto slider = std::dynamic_pointer_cast<Slider>(owner.outlets.at("hueSlider"));
  EXPECT_EQ(slider->integerValue(), 2);
  EXPECT_EQ(slider->minValue(), -10);
  EXPECT_EQ(slider->numberOfTickMarks(), 21);
  EXPECT_FALSE(slider->isEnabled());
  EXPECT_EQ(slider->superview(), owner.outlets.at("cmykSimulationBox").get());
  EXPECT_EQ(std::dynamic_pointer_cast<Box>(owner.outlets.at("cmykSimulationBox"))->title(), "Simulation");

  auto segments = std::dynamic_pointer_cast<SegmentedControl>(owner.outlets.at("sampleViewSelectControl"));
  EXPECT_EQ(segments->segmentCount(), 2);
  EXPECT_FALSE(segments->isEnabledForSegment(1));
  EXPECT_TRUE(owner.outlets.at("sampleView")->isHidden());

  // The refused outlet and the handler the owner lacks are reported.
  ASSERT_EQ(layout->warnings.size(), 2u);
  EXPECT_NE(layout->warnings[0].find("missingProc:"), std::string::npos);
  EXPECT_NE(layout->warnings[1].find("unwanted"), std::string::npos);
}

TEST(LayoutLoader, WorksWithoutAnOwner) {
  std::string error;
  auto layout = loadLayoutFromString(kLayout, nullptr, &error);
  ASSERT_TRUE(layout) << error;
  EXPECT_TRUE(layout->warnings.empty());
}

struct Malformed {
  const char* text;
  const char* expected;  // part of the message
};

void PrintTo(const Malformed& c, std::ostream* os) { *os << c.text; }

class MalformedLayout : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedLayout, GivesAClearErrorAndConnectsNothing) {
  Owner owner;
  std::string error;
  auto layout = loadLayoutFromString(GetParam().text, &owner, &error, "Bad.json");
  EXPECT_FALSE(layout);
  EXPECT_TRUE(owner.outlets.empty());
  EXPECT_EQ(error.rfind("Bad.json: ", 0), 0u) << error;
  EXPECT_NE(error.find(GetParam().expected), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedLayout,
    testing::Values(
        Malformed{"", "not valid JSON"},
        Malformed{"{\"views\": [", "not valid JSON"},
        Malformed{"[]", "a layout must be a JSON object"},
        Malformed{"{}", "/views: expected an array"},
        Malformed{"{\"views\": [], \"extra\": 1}", "/extra: unknown key"},
        Malformed{"{\"views\": [3]}", "/views/0: a view must be a JSON object"},
        Malformed{"{\"views\": [{\"outlet\": \"panelView\"}]}", "\"class\" (a string) is missing"},
        Malformed{"{\"views\": [{\"class\": \"Window\"}]}", "/views/0/class: unknown class \"Window\""},
        Malformed{"{\"views\": [{\"class\": \"View\", \"titel\": \"x\"}]}", "/views/0/titel: unknown key"},
        Malformed{"{\"views\": [{\"class\": \"View\", \"action\": \"a:\"}]}", "/views/0/action: unknown key"},
        Malformed{"{\"views\": [{\"class\": \"View\", \"frame\": [1, 2, 3]}]}", "/views/0/frame: expected"},
        Malformed{"{\"views\": [{\"class\": \"View\", \"frame\": [0, 0, -1, 3]}]}", "must not be negative"},
        Malformed{"{\"views\": [{\"class\": \"View\", \"outlet\": \"a\", \"subviews\": [{\"class\": "
                  "\"View\", \"outlet\": \"a\"}]}]}",
                  "outlet \"a\" is given twice"},
        Malformed{"{\"views\": [{\"class\": \"View\", \"subviews\": {}}]}", "/views/0/subviews: expected"},
        Malformed{"{\"views\": [{\"class\": \"Button\", \"buttonType\": \"radio\"}]}", "/views/0/buttonType"},
        Malformed{"{\"views\": [{\"class\": \"Button\", \"state\": 2}]}", "/views/0/state: expected 0 or 1"},
        Malformed{"{\"views\": [{\"class\": \"Button\", \"image\": {\"size\": [1, 1]}}]}", "\"icon\" is missing"},
        Malformed{"{\"views\": [{\"class\": \"PopUpButton\", \"items\": [\"a\"], \"selectedIndex\": 1}]}",
                  "/views/0/selectedIndex"},
        Malformed{"{\"views\": [{\"class\": \"PopUpButton\", \"items\": [1]}]}", "/views/0/items/0"},
        Malformed{"{\"views\": [{\"class\": \"Slider\", \"minValue\": 0, \"maxValue\": 4, \"value\": 5}]}",
                  "outside the slider's range"},
        Malformed{"{\"views\": [{\"class\": \"Slider\", \"minValue\": 5, \"maxValue\": 4}]}",
                  "/views/0/maxValue"},
        Malformed{"{\"views\": [{\"class\": \"TextField\", \"textColor\": \"#12345\"}]}", "/views/0/textColor"},
        Malformed{"{\"views\": [{\"class\": \"TextField\", \"enabled\": \"yes\"}]}", "/views/0/enabled"},
        Malformed{"{\"views\": [{\"class\": \"TabView\", \"tabs\": [{\"identifier\": \"1\"}, {\"identifier\": "
                  "\"1\"}]}]}",
                  "identifier \"1\" is given twice"},
        Malformed{"{\"views\": [{\"class\": \"TabView\", \"tabs\": [{\"view\": {}}]}]}", "/views/0/tabs/0/view"},
        Malformed{"{\"views\": [{\"class\": \"TabView\", \"tabs\": [{\"subviews\": [{\"class\": 1}]}]}]}",
                  "/views/0/tabs/0/subviews/0"},
        Malformed{"{\"views\": [{\"class\": \"SegmentedControl\", \"segments\": [\"a\"], \"selectedSegment\": 4}]}",
                  "/views/0/selectedSegment"}));

TEST(LayoutLoader, DeepNestingIsRefusedNotOverflowed) {
  std::string text = "{\"views\": [";
  const int depth = 5000;
  for (int i = 0; i < depth; ++i) text += "{\"class\": \"View\", \"subviews\": [";
  for (int i = 0; i < depth; ++i) text += "]}";
  text += "]}";
  std::string error;
  EXPECT_FALSE(loadLayoutFromString(text, nullptr, &error));
  EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

TEST(LayoutLoader, MissingFileIsAnError) {
  std::string error;
  EXPECT_FALSE(loadLayoutFromFile("/nonexistent/Color6.json", nullptr, &error));
  EXPECT_NE(error.find("/nonexistent/Color6.json: cannot be read"), std::string::npos) << error;
}

}  // namespace
}  // namespace toolkit
