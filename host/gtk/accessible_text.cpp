#include "accessible_text.h"

#include <algorithm>
#include <cstdio>

#include "dialog_texts.h"
#include "toolkit/person_reach.h"

namespace pdehost::gtk {
namespace {

constexpr std::string_view kTitle = "Title";

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() > end.size() && text.substr(text.size() - end.size()) == end;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::vector<TitledControl> titledControls(const std::vector<std::string>& outlets) {
  auto has = [&](const std::string& name) { return std::find(outlets.begin(), outlets.end(), name) != outlets.end(); };
  std::vector<TitledControl> found;
  for (const std::string& outlet : outlets) {
    for (std::string_view kind : {"Popup", "Slider", "Button"}) {
      if (!endsWith(outlet, kind)) continue;
      const std::string stem = outlet.substr(0, outlet.size() - kind.size());
      TitledControl titled{outlet, stem + std::string(kTitle), {}, {}};
      if (!has(titled.title)) break;
      if (kind == "Slider") {
        if (has(stem + "LeftTitle")) titled.leftTitle = stem + "LeftTitle";
        if (has(stem + "RightTitle")) titled.rightTitle = stem + "RightTitle";
      }
      found.push_back(std::move(titled));
      break;
    }
  }
  return found;
}

std::string spokenTitle(std::string_view text) {
  auto end = text.find_last_not_of(" \t\n");
  if (end == std::string_view::npos) return {};
  text = text.substr(0, end + 1);
  if (text.back() == ':') text.remove_suffix(1);
  end = text.find_last_not_of(" \t\n");
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string rangeDescription(std::string_view left, std::string_view right) {
  if (left.empty() || right.empty()) return {};
  return trFormat("{} to {}", {left, right});
}

std::string sliderValueText(double minValue, double maxValue, double value, std::int64_t tickMarks,
                            bool tickMarkValuesOnly) {
  const toolkit::TickMarks marks{minValue, maxValue, tickMarks};
  if (tickMarkValuesOnly && marks.step() > 0)
    return trFormat("{} of {}", {std::to_string(marks.nearestIndex(value)), std::to_string(tickMarks - 1)});
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::optional<std::size_t> pickMnemonic(std::string_view title, std::string& taken) {
  auto freeAt = [&](std::size_t i) { return isLetter(title[i]) && taken.find(lower(title[i])) == std::string::npos; };
  std::optional<std::size_t> chosen;
  for (std::size_t i = 0; i < title.size() && !chosen; ++i) {
    const bool wordStart = i == 0 || title[i - 1] == ' ' || title[i - 1] == '-';
    if (wordStart && freeAt(i)) chosen = i;
  }
  for (std::size_t i = 0; i < title.size() && !chosen; ++i) {
    if (freeAt(i)) chosen = i;
  }
  if (chosen) taken += lower(title[*chosen]);
  return chosen;
}

std::string mnemonicLabel(std::string_view text, std::optional<std::size_t> offset) {
  std::string label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (offset && i == *offset) label += '_';
    if (text[i] == '_') label += '_';
    label += text[i];
  }
  return label;
}

}  // namespace pdehost::gtk
