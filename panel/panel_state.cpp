// What the panel holds, as JSON, for hosts that show it and for tests.
#include <nlohmann/json.hpp>

#include "VemraPrintPdeLX4200CO.h"
#include "panel_options.h"
#include "preference_fields.h"

namespace {

nlohmann::json optionalText(const std::optional<std::string>& text) {
  return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

}  // namespace

nlohmann::json VemraPrintPdeLX4200CO::stateSnapshot() const {
  nlohmann::json s = nlohmann::json::object();
  s["useConstraintHandling"] = useConstraintHandling;
  s["canResizeView"] = canResizeView;
  s["hasInited"] = hasInited;
  s["kestrel2Flag"] = kestrel2Flag;
  s["kestrel3Flag"] = kestrel3Flag;
  s["nimbusFlag"] = nimbusFlag;
  s["nimbusBFlag"] = nimbusBFlag;
  s["condorFlag"] = condorFlag;
  s["apex2ColorFlag"] = apex2ColorFlag;
  s["apex2ProfileFlag"] = apex2ProfileFlag;
  s["apex3ProfileFlag"] = apex3ProfileFlag;
  s["ppdHDDOptionFlag"] = ppdHDDOptionFlag;
  s["callSaveValuesFunction"] = callSaveValuesFunction;
  s["callRestoreValuesFunction"] = callRestoreValuesFunction;
  s["isPanelViewRetain"] = isPanelViewRetain;
  s["ppdEncoding"] = ppdEncoding;
  s["thePDEName"] = optionalText(thePDEName);
  s["preferenceName"] = optionalText(preferenceName);
  s["modelStringRef"] = optionalText(modelStringRef);
  s["saveSettingsValue"] = saveSettingsValue;

  for (const PanelOption& row : kPanelOptions) s[std::string(row.choiceName)] = this->*row.choice;

  s["imageType_Custom"] = imageType_Custom;
  s["renderingIntentControlValue"] = renderingIntentControlValue;
  s["screeningControlValue"] = screeningControlValue;

  nlohmann::json record = nlohmann::json::object();
  for (const PreferenceField& each : kPreferenceFields) record[std::string(each.name)] = preference.*each.field;
  s["preference"] = std::move(record);

  // Which options the description offers, by keyword.
  nlohmann::json options = nlohmann::json::object();
  for (const PanelOption* row : kLookedUpOptions) options[row->keyword] = this->*row->option != nullptr;
  s["options"] = options;
  return s;
}
