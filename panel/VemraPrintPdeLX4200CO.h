// The "Image Quality" panel of the LX4200 colour production printer: one print
// dialog panel over the printer description's colour options.
//
// The class is split by concern over several sources:
//   panel_protocol.cpp            the host protocol, restore/save/print, release
//   panel_setup.cpp               creation with option discovery, initializeUI, updateUI
//   panel_options.h               the option table: each option's keyword and fields
//   panel_outlets.cpp             outlet and action wiring from the layout
//   panel_utilities.cpp           keyword/index conversion, label localisation, model test
//   panel_state.cpp               stateSnapshot for hosts and tests
//   panel_actions_handlers.cpp    control handlers
//   panel_actions_tab.cpp         tab view delegate
//   panel_actions_adjustment.cpp  colour-adjustment and sample-view handlers
//   panel_actions_rules.cpp       forcing rules
//   panel_actions_enabling.cpp    enabling rules and the full refresh
//   panel_actions_terms.h         the conditions the rules share
//   panel_actions_presets.cpp     colour-setting presets
//   panel_persistence.cpp         print-settings entries
//   panel_preference.cpp          user-preference record (fields in preference_fields.h)
//   panel_summary.cpp             print summary
#pragma once

#include <cups/ppd.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "VemraPrintPdeLX4200COPDEChoice.h"
#include "choice_array.h"
#include "pde/plugin_protocol.h"
#include "text_encoding.h"
#include "toolkit/bundle.h"
#include "toolkit/controls.h"

// The declared type of the panel's reference to the host's callback object.
using VemraPrintPdeLX4200COPDEPluginCallback = pde::HostCallback;

// The user-preference record: -1 marks a field as unset.
struct PDEUserPreference {
  std::int16_t saveSettings;
  std::int16_t colorSync;
  std::int16_t colorMode;
  std::int16_t printMode;
  std::int16_t imageType;
  std::int16_t neutralGray;
  std::int16_t pureBlackPrint;
  std::int16_t blackOverprint;
  std::int16_t tonerSave;
  std::int16_t smoothing;
  std::int16_t sourceProfile;
  std::int16_t renderingIntent;
  std::int16_t outputProfile;
  std::int16_t cmykoutputProfile;
  std::int16_t screening;
  std::int16_t cmykSimulation;
  std::int16_t preservpurecolor;
  std::int16_t simulationProfile;
  std::int16_t trapping;
  std::int16_t sharpness;
  std::int16_t renderingIntent2;
  std::int16_t screening2;
  std::int16_t colorAdjustment;
  std::int16_t hue;
  std::int16_t saturation;
  std::int16_t brightness;
  std::int16_t tint;
};

class VemraPrintPdeLX4200CO : public pde::Panel, public toolkit::LayoutOwner, public toolkit::TabViewDelegate {
 public:
  // The keywords the panel looks up, in look-up order.
  static const std::vector<std::string>& lookedUpKeywords();
  static constexpr const char* kPanelKind = "vemra.print.pde.lx4200.TintPanel";
  static constexpr const char* kLayoutName = "Color6";

  // Creation: the panel, or null when the host gives no printer description or
  // the description has none of the options the panel looks up. The first form
  // takes the bundle that holds the panel's code; the second names one (tests).
  static std::shared_ptr<VemraPrintPdeLX4200CO> initWithCallback(
      std::shared_ptr<VemraPrintPdeLX4200COPDEPluginCallback> callback);
  static std::shared_ptr<VemraPrintPdeLX4200CO> initWithCallback(
      std::shared_ptr<VemraPrintPdeLX4200COPDEPluginCallback> callback, std::shared_ptr<toolkit::Bundle> bundle);

  VemraPrintPdeLX4200CO(const VemraPrintPdeLX4200CO&) = delete;
  VemraPrintPdeLX4200CO& operator=(const VemraPrintPdeLX4200CO&) = delete;
  ~VemraPrintPdeLX4200CO() override;

  // --- host protocol (panel_protocol.cpp; summaryInfo in panel_summary.cpp) ---
  std::string panelName() override;
  std::string panelKind() override;
  std::vector<std::string> supportedPPDOptionKeys() override;
  toolkit::View* panelView() override;
  void willShow() override;
  bool shouldHide() override;
  bool restoreValuesAndReturnError(std::string* error) override;
  bool saveValuesAndReturnError(std::string* error) override;
  nlohmann::json summaryInfo() override;
  bool shouldPrint() override;
  bool shouldShowHelp() override;
  void PPDOptionKeyValueDidChangePpdChoice(const std::string& keyword, const std::string& choice) override;
  nlohmann::json stateSnapshot() const override;

  // Legacy host operations the panel supplies itself; they do nothing.
  ppd_file_t* getPPDOnTiger();
  void getPPDSettingsFromPrintSettingsOnTiger();
  void writePPDSettingsToPrintSettingsOnTiger();

  // --- set-up (panel_setup.cpp) ---
  void initializeUI();
  void updateUI();

  // --- Utilities (panel_utilities.cpp) ---
  std::optional<std::string> GetComputerReadableOptionNameItemIndex(ppd_option_t* option, std::int64_t index);
  std::int64_t IndexFromComputerReadableOptionNameChoice(ppd_option_t* option,
                                                         const std::optional<std::string>& keyword);
  std::optional<std::string> localizedStringValue(const std::optional<std::string>& text);
  // A text field's string value, or a box's or button's title; null and any
  // other control give none.
  std::optional<std::string> localizedStringValue(const toolkit::View* control);
  bool CheckModelIsSame();
  bool CheckHardDisk();
  void updateArrow();
  void updatePreview();
  std::int64_t indexOfMarkedOptionForKeySetCurrent(ppd_option_t* option, const char* keyword, bool setCurrent);
  void getSelectionFromPopUpForKey(PDEChoiceRef* selection, toolkit::PopUpButton* popup, const std::string& key);
  void getSelectionFromChoicesFromButtonForKey(PDEChoiceRef* selection, const PDEChoiceArray* choices,
                                               toolkit::Button* button, const std::string& key);
  void getSelectionFromChoicesFromIndexForKey(PDEChoiceRef* selection, const PDEChoiceArray* choices,
                                              std::int64_t index, const std::string& key);

  // --- Preference (panel_preference.cpp) ---
  void CheckPreference();
  void GetUserPreference();
  bool SaveUserPreference();

  // --- print-settings persistence (panel_persistence.cpp) ---
  void writeNonPPDSettingsToPrintSettings();
  void getNonPPDSettingsFromPrintSettings();

  // --- Actions: control handlers (panel_actions_handlers.cpp, panel_actions_adjustment.cpp) ---
  void saveSettingsProc(toolkit::View* sender);
  void colorSyncProc(toolkit::View* sender);
  void colorModeProc(toolkit::View* sender);
  void printPriorityProc(toolkit::View* sender);
  void imageTypeProc(toolkit::View* sender);
  void neutralGrayProc(toolkit::View* sender);
  void neutralGraySliderProc(toolkit::View* sender);
  void pureBlackPrintProc(toolkit::View* sender);
  void pureBlackPrintSliderProc(toolkit::View* sender);
  void blackOverprintProc(toolkit::View* sender);
  void tonerSaveProc(toolkit::View* sender);
  void SmoothingProc(toolkit::View* sender);
  void sourceProfileProc(toolkit::View* sender);
  void renderingIntentProc(toolkit::View* sender);
  void outputProfileProc(toolkit::View* sender);
  void cmykoutputProfileProc(toolkit::View* sender);
  void screeningProc(toolkit::View* sender);
  void cmykSimulationProc(toolkit::View* sender);
  void preservepurecmykcolorsProc(toolkit::View* sender);
  void simulationProfileProc(toolkit::View* sender);
  void trappingProc(toolkit::View* sender);
  void sharpnessProc(toolkit::View* sender);
  void sampleViewProc(toolkit::View* sender);
  void hueProc(toolkit::View* sender);
  void saturationProc(toolkit::View* sender);
  void brightnessProc(toolkit::View* sender);
  void colorAdjustmentProc(toolkit::View* sender);
  // trappingChoice from the trapping controls: the checkbox's state, replaced
  // by the popup's index when there is a popup.
  void recordTrappingChoice();
  // Tab view delegate (panel_actions_tab.cpp).
  bool tabViewShouldSelectTabViewItem(toolkit::TabView* tabView, toolkit::TabViewItem* item) override;
  void tabViewWillSelectTabViewItem(toolkit::TabView* tabView, toolkit::TabViewItem* item) override;

  // --- Actions: forcing rules (panel_actions_rules.cpp) ---
  void printPriorityControl();
  void imageTypeControl();
  void pureBlackPrintControl();
  void tonerSaveControl();
  void sourceProfileControl();
  void renderingIntentControl();
  void outputProfileControl();
  void cmykoutputProfileControl();
  void screeningControl();
  void simulationProfileControl();
  void trappingControl();
  void sharpnessControl();
  // --- Actions: enabling rules (panel_actions_enabling.cpp) ---
  void colorSyncHiliteControl();
  void colorModeHiliteControl();
  void printPriorityHiliteControl();
  void imageTypeHiliteControl();
  void neutralGrayHiliteControl();
  void pureBlackPrintHiliteControl();
  void blackOverprintHiliteControl();
  void tonerSaveHiliteControl();
  void sourceProfileHiliteControl();
  void renderingIntentHiliteControl();
  void outputProfileHiliteControl();
  void cmykoutputProfileHiliteControl();
  void screeningHiliteControl();
  void cmykSimulationHiliteControl();
  void simulationProfileHiliteControl();
  void trappingHiliteControl();
  void sharpnessHiliteControl();
  void preservepurecmykcolorsHiliteControl();
  // The seventeen enabling rules above (all but the preserve rule), in order.
  void fullEnablingRefresh();

  // --- Actions: presets (panel_actions_presets.cpp) ---
  void setColorSettingValueCondor();

  // --- layout wiring (panel_outlets.cpp) ---
  // Outlets by name ("colorModePopup"); a view of the wrong class is refused.
  bool setOutlet(std::string_view name, const std::shared_ptr<toolkit::View>& view) override;
  // Actions by selector name ("colorModeProc:").
  bool performAction(std::string_view action, toolkit::View* sender) override;
  bool respondsToAction(std::string_view action) const override;
  // Every outlet name with the control connected to it (null when absent),
  // in declaration order, panelView first.
  std::vector<std::pair<std::string, toolkit::View*>> outlets() const override;

  // ---------------------------------------------------------------------
  // Fields, in declaration order. Public so that the category sources, the
  // state snapshot and the tests read them by their names.
  std::shared_ptr<VemraPrintPdeLX4200COPDEPluginCallback> pdePluginCallbackObject;
  std::optional<std::string> thePDEName;
  bool useConstraintHandling = false;
  bool canResizeView = false;
  bool hasInited = false;
  bool kestrel2Flag = false;
  bool kestrel3Flag = false;
  bool nimbusFlag = false;
  bool nimbusBFlag = false;
  bool condorFlag = false;
  bool apex2ColorFlag = false;
  bool apex2ProfileFlag = false;
  bool apex3ProfileFlag = false;
  bool ppdHDDOptionFlag = false;
  ppd_file_t* ppd = nullptr;  // the host's description, not owned
  StringEncoding ppdEncoding = kStringEncodingMacOSRoman;
  std::shared_ptr<toolkit::Bundle> pdeBundle;
  bool callSaveValuesFunction = false;
  bool callRestoreValuesFunction = false;
  // The layout's top view. Named with an underscore only because the protocol
  // operation panelView() takes the plain name.
  std::shared_ptr<toolkit::View> panelView_;

  // Outlets of the layout, any of them may be null. They are shared
  // references so that a control leaving the view hierarchy (the removed tab
  // item) never leaves a dangling outlet; the views belong to the layout.
  std::shared_ptr<toolkit::Button> saveSettingsButton;
  std::shared_ptr<toolkit::TextField> saveSettingsTitle;
  std::shared_ptr<toolkit::TabView> mainTabView;
  std::shared_ptr<toolkit::Button> colorSyncCB;
  std::shared_ptr<toolkit::TextField> colorModeTitle;
  std::shared_ptr<toolkit::PopUpButton> colorModePopup;
  std::shared_ptr<toolkit::TextField> printPriorityTitle;
  std::shared_ptr<toolkit::PopUpButton> printPriorityPopup;
  std::shared_ptr<toolkit::TextField> imageTypeTitle;
  std::shared_ptr<toolkit::PopUpButton> imageTypePopup;
  std::shared_ptr<toolkit::TextField> neutralGrayTitle;
  std::shared_ptr<toolkit::PopUpButton> neutralGrayPopup;
  std::shared_ptr<toolkit::TextField> neutralGrayLeftTitle;
  std::shared_ptr<toolkit::Slider> neutralGraySlider;
  std::shared_ptr<toolkit::TextField> neutralGrayRightTitle;
  std::shared_ptr<toolkit::Button> pureBlackPrintCB;
  std::shared_ptr<toolkit::TextField> pureBlackPrintTitle;
  std::shared_ptr<toolkit::TextField> pureBlackPrintLeftTitle;
  std::shared_ptr<toolkit::Slider> pureBlackPrintSlider;
  std::shared_ptr<toolkit::TextField> pureBlackPrintRightTitle;
  std::shared_ptr<toolkit::Button> blackOverprintCB;
  std::shared_ptr<toolkit::Button> tonerSaveCB;
  std::shared_ptr<toolkit::Button> SmoothingCB;
  std::shared_ptr<toolkit::TextField> sourceProfileTitle;
  std::shared_ptr<toolkit::PopUpButton> sourceProfilePopup;
  std::shared_ptr<toolkit::TextField> renderingIntentTitle;
  std::shared_ptr<toolkit::PopUpButton> renderingIntentPopup;
  std::shared_ptr<toolkit::TextField> outputProfileTitle;
  std::shared_ptr<toolkit::PopUpButton> outputProfilePopup;
  std::shared_ptr<toolkit::TextField> cmykoutputProfileTitle;
  std::shared_ptr<toolkit::PopUpButton> cmykoutputProfilePopup;
  std::shared_ptr<toolkit::TextField> screeningTitle;
  std::shared_ptr<toolkit::PopUpButton> screeningPopup;
  std::shared_ptr<toolkit::Button> cmykSimulationCB;
  std::shared_ptr<toolkit::Box> cmykSimulationBox;
  std::shared_ptr<toolkit::TextField> simulationProfileTitle;
  std::shared_ptr<toolkit::PopUpButton> simulationProfilePopup;
  std::shared_ptr<toolkit::Button> trappingCB;
  std::shared_ptr<toolkit::TextField> sharpnessTitle;
  std::shared_ptr<toolkit::PopUpButton> sharpnessPopup;
  std::shared_ptr<toolkit::TextField> trappingTitle;
  std::shared_ptr<toolkit::PopUpButton> trappingPopup;
  std::shared_ptr<toolkit::Button> preservepurecmykcolorsCB;
  std::shared_ptr<toolkit::SegmentedControl> sampleViewSelectControl;
  std::shared_ptr<toolkit::ImageView> sampleView;
  std::shared_ptr<toolkit::Button> colorAdjustmentCB;
  std::shared_ptr<toolkit::Box> colorAdjustmentBox;
  std::shared_ptr<toolkit::TextField> hueTitle;
  std::shared_ptr<toolkit::Slider> hueSlider;
  std::shared_ptr<toolkit::TextField> saturationTitle;
  std::shared_ptr<toolkit::Slider> saturationSlider;
  std::shared_ptr<toolkit::TextField> brightnessTitle;
  std::shared_ptr<toolkit::Slider> brightnessSlider;

  // Option records of the host's description, not owned; null when absent.
  ppd_option_t* colorSyncOptions = nullptr;
  ppd_option_t* colorModeOptions = nullptr;
  ppd_option_t* printPriorityOptions = nullptr;
  ppd_option_t* imageTypeOptions = nullptr;
  ppd_option_t* neutralGrayOptions = nullptr;
  ppd_option_t* pureBlackPrintOptions = nullptr;
  ppd_option_t* blackOverprintOptions = nullptr;
  ppd_option_t* tonerSaveOptions = nullptr;
  ppd_option_t* SmoothingOptions = nullptr;
  ppd_option_t* sourceProfileOptions = nullptr;
  ppd_option_t* outputProfileOptions = nullptr;
  ppd_option_t* cmykoutputProfileOptions = nullptr;
  ppd_option_t* renderingIntentOptions = nullptr;
  ppd_option_t* screeningOptions = nullptr;
  ppd_option_t* cmykSimulationOptions = nullptr;
  ppd_option_t* preservepurecmykcolorsOptions = nullptr;
  ppd_option_t* simulationProfileOptions = nullptr;
  ppd_option_t* trappingOptions = nullptr;
  ppd_option_t* sharpnessOptions = nullptr;
  ppd_option_t* pamphletOption = nullptr;

  // Choice records per option, owned; null when the option is absent.
  std::unique_ptr<PDEChoiceArray> colorSyncChoices;
  std::unique_ptr<PDEChoiceArray> colorModeChoices;
  std::unique_ptr<PDEChoiceArray> printPriorityChoices;
  std::unique_ptr<PDEChoiceArray> imageTypeChoices;
  std::unique_ptr<PDEChoiceArray> neutralGrayChoices;
  std::unique_ptr<PDEChoiceArray> pureBlackPrintChoices;
  std::unique_ptr<PDEChoiceArray> blackOverprintChoices;
  std::unique_ptr<PDEChoiceArray> tonerSaveChoices;
  std::unique_ptr<PDEChoiceArray> smoothingChoices;
  std::unique_ptr<PDEChoiceArray> sourceProfileChoices;
  std::unique_ptr<PDEChoiceArray> outputProfileChoices;
  std::unique_ptr<PDEChoiceArray> cmykoutputProfileChoices;
  std::unique_ptr<PDEChoiceArray> preservepurecolorChoices;
  std::unique_ptr<PDEChoiceArray> renderingIntentChoices;
  std::unique_ptr<PDEChoiceArray> screeningChoices;
  std::unique_ptr<PDEChoiceArray> cmykSimulationChoices;
  std::unique_ptr<PDEChoiceArray> simulationProfileChoices;
  std::unique_ptr<PDEChoiceArray> trappingChoices;
  std::unique_ptr<PDEChoiceArray> sharpnessChoices;

  std::optional<std::string> preferenceName;
  std::optional<std::string> modelStringRef;
  PDEUserPreference preference{};
  std::int64_t saveSettingsValue = 0;

  // Current choices: a popup's item index or a checkbox's state.
  std::int64_t colorSyncChoice = 0;
  std::int64_t colorModeChoice = 0;
  std::int64_t printPriorityChoice = 0;
  std::int64_t imageTypeChoice = 0;
  std::int64_t neutralGrayChoice = 0;
  std::int64_t pureBlackPrintChoice = 0;
  std::int64_t blackOverprintChoice = 0;
  std::int64_t tonerSaveChoice = 0;
  std::int64_t smoothingChoice = 0;
  std::int64_t sourceProfileChoice = 0;
  std::int64_t outputProfileChoice = 0;
  std::int64_t cmykoutputProfileChoice = 0;
  std::int64_t renderingIntentChoice = 0;
  std::int64_t screeningChoice = 0;
  std::int64_t cmykSimulationChoice = 0;
  std::int64_t preservepurecmykcolorChoice = 0;
  std::int64_t simulationProfileChoice = 0;
  std::int64_t trappingChoice = 0;
  std::int64_t sharpnessChoice = 0;

  std::int64_t imageType_Custom = 0;
  std::int64_t renderingIntentControlValue = 0;
  std::int64_t screeningControlValue = 0;
  std::optional<std::string> previewImagePath;
  std::array<unsigned char, 200> gSettings{};
  bool isPanelViewRetain = false;

 private:
  VemraPrintPdeLX4200CO() = default;

  // Loads the layout when none is loaded and the bundle is there.
  void loadLayoutIfNeeded();
  // The option's label in the description's encoding; empty when it cannot
  // be converted.
  std::string optionLabel(const ppd_option_t* option) const;

  // The extra reference on the layout's top view that restore takes when it
  // had to load the layout itself (`isPanelViewRetain`).
  std::shared_ptr<toolkit::View> retainedPanelView_;

  // One bit per handler while it runs: a handler is never entered again from
  // inside its own chain, whatever the layout wires to what.
  std::uint64_t runningHandlers_ = 0;
};
