// The fields of the user-preference record by name, in declaration order:
// what resets the record and what shows it walk this one list.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "VemraPrintPdeLX4200CO.h"

struct PreferenceField {
  std::string_view name;
  std::int16_t PDEUserPreference::*field;
};

#define PREFERENCE_FIELD(name) \
  PreferenceField { #name, &PDEUserPreference::name }

inline constexpr std::array kPreferenceFields = {
    PREFERENCE_FIELD(saveSettings),      PREFERENCE_FIELD(colorSync),        PREFERENCE_FIELD(colorMode),
    PREFERENCE_FIELD(printMode),         PREFERENCE_FIELD(imageType),        PREFERENCE_FIELD(neutralGray),
    PREFERENCE_FIELD(pureBlackPrint),    PREFERENCE_FIELD(blackOverprint),   PREFERENCE_FIELD(tonerSave),
    PREFERENCE_FIELD(smoothing),         PREFERENCE_FIELD(sourceProfile),    PREFERENCE_FIELD(renderingIntent),
    PREFERENCE_FIELD(outputProfile),     PREFERENCE_FIELD(cmykoutputProfile), PREFERENCE_FIELD(screening),
    PREFERENCE_FIELD(cmykSimulation),    PREFERENCE_FIELD(preservpurecolor), PREFERENCE_FIELD(simulationProfile),
    PREFERENCE_FIELD(trapping),          PREFERENCE_FIELD(sharpness),        PREFERENCE_FIELD(renderingIntent2),
    PREFERENCE_FIELD(screening2),        PREFERENCE_FIELD(colorAdjustment),  PREFERENCE_FIELD(hue),
    PREFERENCE_FIELD(saturation),        PREFERENCE_FIELD(brightness),       PREFERENCE_FIELD(tint),
};

#undef PREFERENCE_FIELD

static_assert(kPreferenceFields.size() * sizeof(std::int16_t) == sizeof(PDEUserPreference),
              "every field of the preference record is listed");
