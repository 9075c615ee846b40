#include <gtest/gtest.h>

#include <map>

#include "toolkit/controls.h"
#include "toolkit/layout_texts.h"

namespace toolkit {
namespace {

const TextLookup kGerman = [](const std::string& key) -> std::optional<std::string> {
  static const std::map<std::string, std::string> table = {
      {"Image Type", "Bildtyp"}, {"Photo", "Foto"}, {"Before", "Vorher"}, {"Color", "Farbe"}};
  auto found = table.find(key);
  return found == table.end() ? std::nullopt : std::optional<std::string>(found->second);
};

TEST(LayoutTexts, ALabelIsLookedUpByTheTextBeforeItsColon) {
  EXPECT_EQ(localizedLabel("Image Type:", kGerman), "Bildtyp:");
  EXPECT_EQ(localizedLabel("  Image Type: extra", kGerman), "  Bildtyp: extra");
  EXPECT_EQ(localizedLabel("Photo", kGerman), "Foto");
  for (const char* asIs : {"sRGB", "", "   ", ":Photo", "Image type:"}) EXPECT_EQ(localizedLabel(asIs, kGerman), asIs);
}

TEST(LayoutTexts, EveryKindOfFixedTextInsideTheTreeIsTranslated) {
  auto root = std::make_shared<View>();
  auto tabs = std::make_shared<TabView>();
  auto page = std::make_shared<View>();
  tabs->addTabViewItem(std::make_shared<TabViewItem>("1", "Color", page));
  root->addSubview(tabs);
  auto title = std::make_shared<TextField>();
  title->setStringValue("Image Type:");
  auto popup = std::make_shared<PopUpButton>();
  popup->addItemWithTitle("sRGB");
  popup->addItemWithTitle("Photo");
  auto segments = std::make_shared<SegmentedControl>();
  segments->addSegment({"Before", true});
  auto box = std::make_shared<Box>();
  box->setTitle("Photo");
  box->addSubview(popup);
  page->addSubview(title);
  page->addSubview(segments);
  page->addSubview(box);

  localizeLayoutTexts(*root, kGerman);
  EXPECT_EQ(tabs->tabViewItemAtIndex(0)->label(), "Farbe");
  EXPECT_EQ(title->stringValue(), "Bildtyp:");
  EXPECT_EQ(popup->itemAtIndex(0)->title, "sRGB");
  EXPECT_EQ(popup->itemAtIndex(1)->title, "Foto");
  EXPECT_EQ(segments->segments()[0].label, "Vorher");
  EXPECT_EQ(box->title(), "Foto");
}

}  // namespace
}  // namespace toolkit
