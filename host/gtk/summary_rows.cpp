#include "summary_rows.h"

#include <nlohmann/json.hpp>

namespace pdehost::gtk {
namespace {

constexpr const char* kDisplayOrderKey = "Summary Display Order";

std::string valueText(const nlohmann::json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_null()) return {};
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::vector<SummaryRow> summaryRows(const nlohmann::json& summaryInfo) {
  std::vector<SummaryRow> rows;
  if (!summaryInfo.is_object()) return rows;
  auto order = summaryInfo.find(kDisplayOrderKey);
  if (order != summaryInfo.end() && order->is_array()) {
    for (const auto& title : *order) {
      if (!title.is_string()) continue;
      const std::string name = title.get<std::string>();
      auto entry = summaryInfo.find(name);
      rows.push_back({name, entry != summaryInfo.end() ? valueText(*entry) : std::string()});
    }
    return rows;
  }
  for (const auto& [key, value] : summaryInfo.items()) {
    if (key != kDisplayOrderKey) rows.push_back({key, valueText(value)});
  }
  return rows;
}

}  // namespace pdehost::gtk
