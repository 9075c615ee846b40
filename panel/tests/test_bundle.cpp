#include "test_bundle.h"

namespace testbundle {

using nlohmann::json;

namespace {

json node(const std::string& cls, const std::string& outlet, std::initializer_list<double> frame) {
  json n = {{"class", cls}, {"frame", json::array()}};
  for (double v : frame) n["frame"].push_back(v);
  if (!outlet.empty()) n["outlet"] = outlet;
  return n;
}

json label(const std::string& outlet, const std::string& text, double y) {
  json n = node("TextField", outlet, {10, y, 150, 17});
  n["stringValue"] = text;
  return n;
}

json popup(const std::string& outlet, const std::string& action, int items, double y) {
  json n = node("PopUpButton", outlet, {170, y, 200, 22});
  n["action"] = action;
  n["items"] = json::array();
  for (int i = 0; i < items; ++i) n["items"].push_back("Layout item " + std::to_string(i));
  return n;
}

json checkbox(const std::string& outlet, const std::string& action, const std::string& title, double y) {
  json n = node("Button", outlet, {10, y, 227, 18});
  n["buttonType"] = "checkbox";
  n["action"] = action;
  n["title"] = title;
  return n;
}

json slider(const std::string& outlet, const std::string& action, double max, double y) {
  json n = node("Slider", outlet, {60, y, 150, 20});
  n["action"] = action;
  n["minValue"] = 0;
  n["maxValue"] = max;
  return n;
}

// Drops every node whose outlet is left out, at any depth.
void prune(json& nodes, const std::set<std::string>& leaveOut) {
  json kept = json::array();
  for (json& n : nodes) {
    if (n.contains("outlet") && leaveOut.count(n["outlet"].get<std::string>())) continue;
    if (n.contains("subviews")) prune(n["subviews"], leaveOut);
    if (n.contains("tabs")) {
      for (json& tab : n["tabs"]) {
        if (tab.contains("subviews")) prune(tab["subviews"], leaveOut);
      }
    }
    kept.push_back(n);
  }
  nodes = kept;
}

}  // namespace

json color6Layout(const std::set<std::string>& leaveOut) {
  json basic = json::array({
      label("colorModeTitle", "Color Mode:", 300), popup("colorModePopup", "colorModeProc:", 2, 300),
      label("printPriorityTitle", "Print Priority:", 270), popup("printPriorityPopup", "printPriorityProc:", 2, 270),
      label("neutralGrayTitle", "Neutral Gray:", 240), popup("neutralGrayPopup", "neutralGrayProc:", 2, 240),
      label("neutralGrayLeftTitle", "Light", 215), slider("neutralGraySlider", "neutralGraySliderProc:", 2, 215),
      label("neutralGrayRightTitle", "Dark:", 215),
      checkbox("pureBlackPrintCB", "pureBlackPrintProc:", "Pure Black", 190),
      label("pureBlackPrintTitle", "Pure Black:", 170), label("pureBlackPrintLeftTitle", " Light", 150),
      slider("pureBlackPrintSlider", "pureBlackPrintSliderProc:", 1, 150),
      label("pureBlackPrintRightTitle", "Dark", 150), checkbox("tonerSaveCB", "tonerSaveProc:", "Toner Save", 120),
      label("screeningTitle", "Screening:", 100), popup("screeningPopup", "screeningProc:", 3, 100),
      label("sharpnessTitle", "Sharpness:", 75), popup("sharpnessPopup", "sharpnessProc:", 3, 75),
      label("trappingTitle", "Trapping:", 50), popup("trappingPopup", "trappingProc:", 3, 50),
  });
  json trapping = checkbox("trappingCB", "trappingProc:", "Trapping", 25);
  trapping["hidden"] = true;
  basic.push_back(trapping);

  json color = json::array({
      checkbox("colorSyncCB", "colorSyncProc:", "ColorSync", 300), label("imageTypeTitle", "Image Type:", 270),
      popup("imageTypePopup", "imageTypeProc:", 7, 270), label("sourceProfileTitle", "Source Profile:", 240),
      popup("sourceProfilePopup", "sourceProfileProc:", 5, 240),
      label("renderingIntentTitle", "Rendering Intent:", 210),
      popup("renderingIntentPopup", "renderingIntentProc:", 4, 210),
      label("outputProfileTitle", "Output Profile:", 180), popup("outputProfilePopup", "outputProfileProc:", 4, 180),
      label("cmykoutputProfileTitle", "CMYK Output Profile:", 150),
      popup("cmykoutputProfilePopup", "cmykoutputProfileProc:", 3, 150),
      checkbox("blackOverprintCB", "blackOverprintProc:", "Black Overprint", 120),
      checkbox("preservepurecmykcolorsCB", "preservepurecmykcolorsProc:", "Preserve Pure CMYK", 20),
  });
  json box = node("Box", "cmykSimulationBox", {10, 40, 400, 70});
  box["title"] = "CMYK Simulation";
  box["subviews"] = json::array({checkbox("cmykSimulationCB", "cmykSimulationProc:", "CMYK Simulation", 40),
                                 label("simulationProfileTitle", "Simulation Profile:", 15),
                                 popup("simulationProfilePopup", "simulationProfileProc:", 5, 15)});
  color.push_back(box);

  json adjust = json::array();
  json adjustBox = node("Box", "colorAdjustmentBox", {10, 10, 400, 200});
  adjustBox["title"] = "Color Adjustment";
  adjustBox["subviews"] = json::array({
      checkbox("colorAdjustmentCB", "colorAdjustmentProc:", "Color Adjustment", 170),
      label("hueTitle", "Hue:", 140), slider("hueSlider", "hueProc:", 100, 140),
      label("saturationTitle", "Saturation:", 110), slider("saturationSlider", "saturationProc:", 100, 110),
      label("brightnessTitle", "Brightness:", 80), slider("brightnessSlider", "brightnessProc:", 100, 80),
  });
  adjust.push_back(adjustBox);
  json segments = node("SegmentedControl", "sampleViewSelectControl", {10, 40, 120, 24});
  segments["segments"] = json::array({"Sample", "Arrow"});
  segments["action"] = "sampleViewProc:";
  segments["selectedSegment"] = 1;
  adjust.push_back(segments);
  adjust.push_back(node("ImageView", "sampleView", {150, 10, 100, 100}));

  json tabs = node("TabView", "mainTabView", {0, 120, 480, 360});
  tabs["tabs"] = json::array({
      {{"label", "Basic"}, {"identifier", "0"}, {"subviews", basic}},
      {{"label", "Color:"}, {"identifier", "1"}, {"subviews", color}},
      {{"label", "Adjust"}, {"identifier", "2"}, {"subviews", adjust}},
  });

  json saveButton = node("Button", "saveSettingsButton", {10, 10, 18, 18});
  saveButton["buttonType"] = "toggle";
  saveButton["action"] = "saveSettingsProc:";
  json root = node("View", "panelView", {0, 0, 500, 500});
  root["subviews"] = json::array({saveButton, label("saveSettingsTitle", "Save Settings:", 10), tabs});

  json views = json::array({root});
  prune(views, leaveOut);
  return json{{"views", views}};
}

namespace {

void editEach(json& nodes, const std::function<void(json&)>& edit) {
  for (json& n : nodes) {
    edit(n);
    if (n.contains("subviews")) editEach(n["subviews"], edit);
    if (n.contains("tabs")) {
      for (json& tab : n["tabs"]) {
        if (tab.contains("subviews")) editEach(tab["subviews"], edit);
      }
    }
  }
}

}  // namespace

void editNodes(json& layout, const std::function<void(json&)>& edit) { editEach(layout["views"], edit); }

std::string localizableStrings() {
  return "/* German labels for tests */\n"
         "\"Image Quality\" = \"Bildqualität\";\n"
         "\"Save Settings\" = \"Einstellungen sichern\";\n"
         "\"Basic\" = \"Grundlagen\";\n"
         "\"Color\" = \"Farbe\";\n"
         "\"Light\" = \"Hell\";\n"
         "\"Dark\" = \"Dunkel\";\n"
         "\"Smoothing\" = \"Glättung\";\n";
}

std::shared_ptr<toolkit::Bundle> writeBundle(const qvx::test::TempDir& dir, const std::string& layoutText,
                                             const std::string& name) {
  const std::string base = name + "/Contents/Resources/";
  if (!layoutText.empty()) dir.write(base + "Color6.json", layoutText);
  dir.write(base + "en.lproj/Localizable.strings", localizableStrings());
  dir.write(name + "/Contents/MacOS/.keep", "");
  return toolkit::Bundle::bundleWithPath(dir.path() / name);
}

}  // namespace testbundle
