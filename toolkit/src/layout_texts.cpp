#include "toolkit/layout_texts.h"

#include "toolkit/controls.h"

namespace toolkit {

std::string localizedLabel(const std::string& text, const TextLookup& lookup) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return text;
  const std::size_t colon = text.find(':', start);
  const std::size_t end = colon == std::string::npos ? text.size() : colon;
  if (end == start) return text;
  const std::optional<std::string> translated = lookup(text.substr(start, end - start));
  if (!translated) return text;
  return text.substr(0, start) + *translated + (colon == std::string::npos ? "" : text.substr(colon));
}

void localizeLayoutTexts(View& root, const TextLookup& lookup) {
  auto label = [&](const std::string& text) { return localizedLabel(text, lookup); };
  if (auto* field = dynamic_cast<TextField*>(&root)) field->setStringValue(label(field->stringValue()));
  if (auto* button = dynamic_cast<Button*>(&root)) button->setTitle(label(button->title()));
  if (auto* box = dynamic_cast<Box*>(&root)) box->setTitle(label(box->title()));
  if (auto* popup = dynamic_cast<PopUpButton*>(&root)) {
    for (std::int64_t i = 0; i < popup->numberOfItems(); ++i) popup->itemAtIndex(i)->title = label(popup->itemAtIndex(i)->title);
  }
  if (auto* segmented = dynamic_cast<SegmentedControl*>(&root)) {
    std::vector<Segment> segments = segmented->segments();
    for (Segment& segment : segments) segment.label = label(segment.label);
    segmented->setSegments(std::move(segments));
  }
  if (auto* tabs = dynamic_cast<TabView*>(&root)) {
    for (std::int64_t i = 0; i < tabs->numberOfTabViewItems(); ++i) {
      TabViewItem* item = tabs->tabViewItemAtIndex(i);
      item->setLabel(label(item->label()));
    }
  }
  for (View* child : root.childViews()) localizeLayoutTexts(*child, lookup);
}

}  // namespace toolkit
