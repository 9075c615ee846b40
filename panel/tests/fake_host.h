// A host callback for tests: a description, a print session, print settings
// in a map, and a record of what the panel asked.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pde/plugin_protocol.h"

namespace testhost {

class Settings : public pde::PrintSettings {
 public:
  int getValue(const std::string& key, std::string* value) const override {
    auto it = entries.find(key);
    if (it == entries.end()) return pde::kPrintSettingsKeyNotFound;
    *value = it->second;
    return pde::kPrintSettingsNoErr;
  }
  int setValue(const std::string& key, const std::string& value, bool /*locked*/) override {
    entries[key] = value;
    return pde::kPrintSettingsNoErr;
  }
  std::map<std::string, std::string> entries;
};

class Session : public pde::PrintSession {
 public:
  std::optional<std::string> currentPrinterID() const override { return printerID; }
  std::optional<std::string> printerID = "LX4200";
};

class Host : public pde::HostCallback {
 public:
  explicit Host(ppd_file_t* description) : ppd(description) {}

  bool respondsToWillChangePPDOptionKeyValuePpdChoice() const override { return constraintHandling; }
  ppd_file_t* ppdFile() override {
    ++ppdFileCalls;
    return ppd;
  }
  pde::PrintSession* printSession() override { return hasSession ? &session : nullptr; }
  pde::PrintSettings* printSettings() override { return hasSettings ? &settings : nullptr; }
  bool willChangePPDOptionKeyValuePpdChoice(const std::string& keyword, const std::string& choice) override {
    asked.emplace_back(keyword, choice);
    return acceptChanges;
  }

  ppd_file_t* ppd;
  bool constraintHandling = true;
  bool hasSession = true;
  bool hasSettings = true;
  bool acceptChanges = true;
  int ppdFileCalls = 0;
  Session session;
  Settings settings;
  std::vector<std::pair<std::string, std::string>> asked;
};

}  // namespace testhost
