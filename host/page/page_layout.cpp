#include "page_layout.h"

#include <algorithm>
#include <charconv>

namespace pdehost::page {
namespace {

// IPP's orientation-requested values.
constexpr std::string_view kPortrait = "3";
constexpr std::string_view kLandscape = "4";

std::optional<bool> onOff(const std::string& value) {
  if (value == "true" || value == "on" || value == "yes") return true;
  if (value == "false" || value == "off" || value == "no") return false;
  return std::nullopt;
}

}  // namespace

bool isPagesPerSheet(int n) { return std::ranges::find(kPagesPerSheet, n) != std::end(kPagesPerSheet); }

bool isKeptLayoutOption(std::string_view name) {
  constexpr std::string_view kKept[] = {"number-up", "orientation-requested", "fit-to-page",
                                        "print-scaling", "outputorder", "collate"};
  return std::ranges::find(kKept, name) != std::end(kKept);
}

std::vector<std::pair<std::string, std::string>> layoutJobOptions(const PageLayout& layout, int copies) {
  std::vector<std::pair<std::string, std::string>> options;
  if (!layout.pages.empty()) options.emplace_back("page-ranges", pageRangesOption(layout.pages));
  options.emplace_back("number-up", std::to_string(layout.perSheet));
  options.emplace_back("orientation-requested",
                       std::string(layout.orientation == Orientation::Landscape ? kLandscape : kPortrait));
  // pstops reads fit-to-page; cups-filters' pdftopdf prefers print-scaling.
  options.emplace_back("fit-to-page", layout.fitToPage ? "true" : "false");
  options.emplace_back("print-scaling", layout.fitToPage ? "fit" : "none");
  options.emplace_back("outputorder", layout.reverse ? "reverse" : "normal");
  if (copies > 1) options.emplace_back("collate", layout.collate ? "true" : "false");
  return options;
}

std::string_view orientationName(Orientation orientation) {
  return orientation == Orientation::Landscape ? "landscape" : "portrait";
}

std::optional<Orientation> orientationNamed(std::string_view name) {
  if (name == "portrait") return Orientation::Portrait;
  if (name == "landscape") return Orientation::Landscape;
  return std::nullopt;
}

void readLayoutOptions(const std::vector<std::pair<std::string, std::string>>& options, PageLayout& layout) {
  for (const auto& [name, value] : options) {
    if (name == "page-ranges") {
      const ParsedRanges parsed = parsePageRanges(value);
      if (parsed.ok()) layout.pages = parsed.ranges;
    } else if (name == "number-up") {
      int n = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (ec == std::errc() && end == value.data() + value.size() && isPagesPerSheet(n)) layout.perSheet = n;
    } else if (name == "orientation-requested") {
      if (value == kPortrait) layout.orientation = Orientation::Portrait;
      if (value == kLandscape) layout.orientation = Orientation::Landscape;
    } else if (name == "fit-to-page") {
      if (const auto on = onOff(value)) layout.fitToPage = *on;
    } else if (name == "print-scaling") {
      if (value == "fit" || value == "fill") layout.fitToPage = true;
      if (value == "none") layout.fitToPage = false;
    } else if (name == "outputorder") {
      if (value == "reverse") layout.reverse = true;
      if (value == "normal") layout.reverse = false;
    } else if (name == "collate") {
      if (const auto on = onOff(value)) layout.collate = *on;
    }
  }
}

}  // namespace pdehost::page
