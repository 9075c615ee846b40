// The panel's colour options in one table: for each, its keyword in the
// printer description and the panel's fields that hold it. Set-up, state,
// release, persistence and summary all walk this table or pick rows from it
// by keyword, so an option's fields are named in one place only.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "VemraPrintPdeLX4200CO.h"

struct PanelOption {
  const char* keyword;
  ppd_option_t* VemraPrintPdeLX4200CO::*option;
  std::unique_ptr<PDEChoiceArray> VemraPrintPdeLX4200CO::*choices;
  std::int64_t VemraPrintPdeLX4200CO::*choice;
  // The current choice's field name, as the panel's state shows it.
  std::string_view choiceName;
  // The field of the user-preference record that mirrors the option.
  std::int16_t PDEUserPreference::*preference;
};

#define PANEL_OPTION(keyword, option, choices, choice, preference)                                      \
  PanelOption {                                                                                         \
    keyword, &VemraPrintPdeLX4200CO::option, &VemraPrintPdeLX4200CO::choices,                           \
        &VemraPrintPdeLX4200CO::choice, #choice, &PDEUserPreference::preference                         \
  }

// In the order of the panel's fields.
inline constexpr std::array kPanelOptions = {
    PANEL_OPTION("VMColorSync", colorSyncOptions, colorSyncChoices, colorSyncChoice, colorSync),
    PANEL_OPTION("VMCMode", colorModeOptions, colorModeChoices, colorModeChoice, colorMode),
    PANEL_OPTION("VMCPPriority", printPriorityOptions, printPriorityChoices, printPriorityChoice, printMode),
    PANEL_OPTION("VMCOType", imageTypeOptions, imageTypeChoices, imageTypeChoice, imageType),
    PANEL_OPTION("VMCNGray", neutralGrayOptions, neutralGrayChoices, neutralGrayChoice, neutralGray),
    PANEL_OPTION("VMCPureB", pureBlackPrintOptions, pureBlackPrintChoices, pureBlackPrintChoice, pureBlackPrint),
    PANEL_OPTION("VMCOverp", blackOverprintOptions, blackOverprintChoices, blackOverprintChoice, blackOverprint),
    PANEL_OPTION("VMSaveToner", tonerSaveOptions, tonerSaveChoices, tonerSaveChoice, tonerSave),
    PANEL_OPTION("VMSmoothing", SmoothingOptions, smoothingChoices, smoothingChoice, smoothing),
    PANEL_OPTION("VMCSProfile", sourceProfileOptions, sourceProfileChoices, sourceProfileChoice, sourceProfile),
    PANEL_OPTION("VMCIntent", renderingIntentOptions, renderingIntentChoices, renderingIntentChoice,
                 renderingIntent),
    PANEL_OPTION("VMCOProfile", outputProfileOptions, outputProfileChoices, outputProfileChoice, outputProfile),
    PANEL_OPTION("VMCCOProfile", cmykoutputProfileOptions, cmykoutputProfileChoices, cmykoutputProfileChoice,
                 cmykoutputProfile),
    PANEL_OPTION("VMCScreen", screeningOptions, screeningChoices, screeningChoice, screening),
    PANEL_OPTION("VMCCMYKS", cmykSimulationOptions, cmykSimulationChoices, cmykSimulationChoice, cmykSimulation),
    PANEL_OPTION("VMCRetainCMYK", preservepurecmykcolorsOptions, preservepurecolorChoices,
                 preservepurecmykcolorChoice, preservpurecolor),
    PANEL_OPTION("VMCSimProfile", simulationProfileOptions, simulationProfileChoices, simulationProfileChoice,
                 simulationProfile),
    PANEL_OPTION("VMCTrapping", trappingOptions, trappingChoices, trappingChoice, trapping),
    PANEL_OPTION("VMCSharpness", sharpnessOptions, sharpnessChoices, sharpnessChoice, sharpness),
};

#undef PANEL_OPTION

// The keywords the panel looks up in the description, in look-up order; the
// options of the other rows are never set.
inline constexpr std::array<std::string_view, 9> kLookedUpKeywords = {
    "VMCMode", "VMCPPriority", "VMCNGray", "VMCPureB", "VMSaveToner", "VMCScreen", "VMCTrapping", "VMCSharpness",
    "VMSmoothing"};

// The row of a keyword; a keyword outside the table stops the build where a
// list of keywords is turned into rows.
consteval const PanelOption* panelOptionFor(std::string_view keyword) {
  for (const PanelOption& row : kPanelOptions) {
    if (std::string_view(row.keyword) == keyword) return &row;
  }
  throw "a keyword outside the option table";
}

// The rows of a list of keywords, in the list's order.
template <std::size_t N>
consteval std::array<const PanelOption*, N> panelOptionsFor(const std::array<std::string_view, N>& keywords) {
  std::array<const PanelOption*, N> rows{};
  for (std::size_t i = 0; i < N; ++i) rows[i] = panelOptionFor(keywords[i]);
  return rows;
}

inline constexpr auto kLookedUpOptions = panelOptionsFor(kLookedUpKeywords);
