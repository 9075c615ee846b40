// Keys and number texts of the panel's print-settings entries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr const char* kSaveSettingsKey = "vemra.print.PrintSettings.co.saveSettings";
inline constexpr const char* kModelCodeKey = "vemra.print.PrintSettings.co.kestrel2";
// The model-configuration code the panel's own configuration writes.
inline constexpr int kPanelModelCode = 4;

// The number as "%d" formats it.
std::string decimalText(int value);
// The leading decimal integer of a text (after blanks, with an optional
// sign), 0 when there is none; values beyond 32 bits are clamped.
int leadingDecimalInteger(std::string_view text);
