// What the panel holds, as JSON, for hosts that show it and for tests.
#include <nlohmann/json.hpp>

#include "VemraPrintPdeLX4200CO.h"

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

  s["colorSyncChoice"] = colorSyncChoice;
  s["colorModeChoice"] = colorModeChoice;
  s["printPriorityChoice"] = printPriorityChoice;
  s["imageTypeChoice"] = imageTypeChoice;
  s["neutralGrayChoice"] = neutralGrayChoice;
  s["pureBlackPrintChoice"] = pureBlackPrintChoice;
  s["blackOverprintChoice"] = blackOverprintChoice;
  s["tonerSaveChoice"] = tonerSaveChoice;
  s["smoothingChoice"] = smoothingChoice;
  s["sourceProfileChoice"] = sourceProfileChoice;
  s["outputProfileChoice"] = outputProfileChoice;
  s["cmykoutputProfileChoice"] = cmykoutputProfileChoice;
  s["renderingIntentChoice"] = renderingIntentChoice;
  s["screeningChoice"] = screeningChoice;
  s["cmykSimulationChoice"] = cmykSimulationChoice;
  s["preservepurecmykcolorChoice"] = preservepurecmykcolorChoice;
  s["simulationProfileChoice"] = simulationProfileChoice;
  s["trappingChoice"] = trappingChoice;
  s["sharpnessChoice"] = sharpnessChoice;

  s["imageType_Custom"] = imageType_Custom;
  s["renderingIntentControlValue"] = renderingIntentControlValue;
  s["screeningControlValue"] = screeningControlValue;

  const PDEUserPreference& r = preference;
  s["preference"] = {
      {"saveSettings", r.saveSettings},         {"colorSync", r.colorSync},
      {"colorMode", r.colorMode},               {"printMode", r.printMode},
      {"imageType", r.imageType},               {"neutralGray", r.neutralGray},
      {"pureBlackPrint", r.pureBlackPrint},     {"blackOverprint", r.blackOverprint},
      {"tonerSave", r.tonerSave},               {"smoothing", r.smoothing},
      {"sourceProfile", r.sourceProfile},       {"renderingIntent", r.renderingIntent},
      {"outputProfile", r.outputProfile},       {"cmykoutputProfile", r.cmykoutputProfile},
      {"screening", r.screening},               {"cmykSimulation", r.cmykSimulation},
      {"preservpurecolor", r.preservpurecolor}, {"simulationProfile", r.simulationProfile},
      {"trapping", r.trapping},                 {"sharpness", r.sharpness},
      {"renderingIntent2", r.renderingIntent2}, {"screening2", r.screening2},
      {"colorAdjustment", r.colorAdjustment},   {"hue", r.hue},
      {"saturation", r.saturation},             {"brightness", r.brightness},
      {"tint", r.tint},
  };

  // Which options the description offers, by keyword.
  nlohmann::json options = nlohmann::json::object();
  const std::pair<const char*, const ppd_option_t*> found[] = {
      {"VMCMode", colorModeOptions},       {"VMCPPriority", printPriorityOptions},
      {"VMCNGray", neutralGrayOptions},    {"VMCPureB", pureBlackPrintOptions},
      {"VMSaveToner", tonerSaveOptions},   {"VMCScreen", screeningOptions},
      {"VMCTrapping", trappingOptions},    {"VMCSharpness", sharpnessOptions},
      {"VMSmoothing", SmoothingOptions}};
  for (const auto& [keyword, option] : found) options[keyword] = option != nullptr;
  s["options"] = options;
  return s;
}
