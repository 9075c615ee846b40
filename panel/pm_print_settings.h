// The print-system calls through which the panel reads and writes its entries
// in the host's print settings: status 0 (noErr) on success, else non-zero.
#pragma once

#include <string>

#include "pde/plugin_protocol.h"

// The entry's text in `value` with status 0; a non-zero status (and `value`
// untouched) when the key is missing or its entry is not a text.
inline int PMPrintSettingsGetValue(const pde::PrintSettings* settings, const std::string& key, std::string* value) {
  if (!settings || !value) return pde::kPrintSettingsKeyNotFound;
  return settings->getValue(key, value);
}

inline int PMPrintSettingsSetValue(pde::PrintSettings* settings, const std::string& key, const std::string& value,
                                   bool locked) {
  if (!settings) return pde::kPrintSettingsKeyNotFound;
  return settings->setValue(key, value, locked);
}
