// The callback object the host hands to the panels: its print session, the
// job's print settings, the printer description and constraint handling.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cups/ppd_document.h"
#include "pde/plugin_protocol.h"
#include "store/print_settings.h"

namespace pdehost {

class HostPrintSession : public pde::PrintSession {
 public:
  explicit HostPrintSession(std::optional<std::string> printerID) : printerID_(std::move(printerID)) {}
  std::optional<std::string> currentPrinterID() const override { return printerID_; }

 private:
  std::optional<std::string> printerID_;
};

class HostCallbackObject : public pde::HostCallback {
 public:
  // `ppd` and `settings` are not owned; either may be null.
  HostCallbackObject(PpdDocument* ppd, JsonPrintSettings* settings, std::optional<std::string> printerID,
                     bool offersConstraintHandling);

  bool respondsToWillChangePPDOptionKeyValuePpdChoice() const override { return constraints_; }
  ppd_file_t* ppdFile() override { return ppd_ != nullptr ? ppd_->file() : nullptr; }
  pde::PrintSession* printSession() override { return &session_; }
  pde::PrintSettings* printSettings() override { return settings_; }
  // Accepts a change that adds no conflict to the marked description.
  bool willChangePPDOptionKeyValuePpdChoice(const std::string& keyword, const std::string& choice) override;

  struct ChangeQuestion {
    std::string keyword;
    std::string choice;
    bool accepted;
  };
  const std::vector<ChangeQuestion>& changeQuestions() const { return questions_; }

 private:
  PpdDocument* ppd_;
  JsonPrintSettings* settings_;
  HostPrintSession session_;
  bool constraints_;
  std::vector<ChangeQuestion> questions_;
};

}  // namespace pdehost
