// The host side of the panel fuzz target: the description opened by libcups
// from memory, and a host callback that keeps the print settings in a map
// and marks the options the panel changes unless that adds a conflict.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "pde/plugin_protocol.h"
#include "ppd_adapter.h"

namespace panelfuzz {

// The text opened by libcups from an in-memory file, its defaults marked;
// null when libcups rejects it. Nothing is left on disk.
class Description {
 public:
  explicit Description(std::string_view text);
  ppd_file_t* get() const { return ppd_.get(); }

 private:
  ppdx::File ppd_;
};

class Settings : public pde::PrintSettings {
 public:
  int getValue(const std::string& key, std::string* value) const override;
  int setValue(const std::string& key, const std::string& value, bool locked) override;
  std::map<std::string, std::string> entries;
};

class Session : public pde::PrintSession {
 public:
  std::optional<std::string> currentPrinterID() const override { return printerID; }
  std::optional<std::string> printerID;
};

class Host : public pde::HostCallback {
 public:
  Host(ppd_file_t* ppd, bool constraintHandling) : ppd_(ppd), constraintHandling_(constraintHandling) {}

  bool respondsToWillChangePPDOptionKeyValuePpdChoice() const override { return constraintHandling_; }
  ppd_file_t* ppdFile() override { return ppd_; }
  pde::PrintSession* printSession() override { return &session; }
  pde::PrintSettings* printSettings() override { return &settings; }
  bool willChangePPDOptionKeyValuePpdChoice(const std::string& keyword, const std::string& choice) override;

  Session session;
  Settings settings;

 private:
  ppd_file_t* ppd_;
  bool constraintHandling_;
};

}  // namespace panelfuzz
