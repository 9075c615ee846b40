// One run of the host: the loaded plug-in, the printer description, the
// print settings, the callback object and the panel the factory gave.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cups/ppd_document.h"
#include "document_list.h"
#include "cups/queue_lookup.h"
#include "session/host_callback.h"
#include "session/host_options.h"
#include "session/plugin_loader.h"
#include "store/print_settings.h"
#include "toolkit/view.h"

namespace pdehost {

// Exit statuses of pdehost.
inline constexpr int kExitOk = 0;
inline constexpr int kExitScriptError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCannotLoad = 3;
inline constexpr int kExitNoPanel = 4;
inline constexpr int kExitOtherProtocol = 4;  // the plug-in speaks another protocol version
inline constexpr int kExitCommandFailed = 5;  // a command such as print failed; the script ran on

class HostSession {
 public:
  struct StartFailure {
    int exitStatus;
    std::string message;
    // For a factory that gave no panel: null (nil) or an empty list.
    std::optional<nlohmann::json> panels;
  };

  // Loads everything the options name; `program` is pdehost's own path.
  // Unless the options name no printer, the queue, its description and its
  // defaults come from `lookup` (made elsewhere, as the window does while
  // it waits) or from asking the CUPS server now.
  static std::unique_ptr<HostSession> start(const HostOptions& options, const std::filesystem::path& program,
                                            StartFailure* failure, QueueLookup* lookup = nullptr);

  // A session over parts made elsewhere (tests drive fake panels this way).
  HostSession(std::unique_ptr<JsonPrintSettings> settings, std::unique_ptr<PpdDocument> ppd,
              std::unique_ptr<LoadedPlugin> plugin, std::shared_ptr<HostCallbackObject> callback,
              std::vector<std::shared_ptr<pde::Panel>> panels, std::shared_ptr<toolkit::Bundle> bundle);
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  pde::Panel& panel() const { return *panels_.front(); }
  JsonPrintSettings* settings() const { return settings_.get(); }
  HostCallbackObject& callback() const { return *callback_; }
  PpdDocument* ppd() const { return ppd_.get(); }
  const PrinterInfo& printer() const { return printer_; }
  void setPrinter(PrinterInfo printer) { printer_ = std::move(printer); }
  // The queue's defaults the job started from ("Default Settings").
  const OptionList& queueDefaults() const { return queueDefaults_; }
  void setQueueDefaults(OptionList defaults) { queueDefaults_ = std::move(defaults); }

  // The view the host got from panelView and shows in its window; null
  // until panelView gave one.
  toolkit::View* shownView() const;
  void show(toolkit::View* view);
  toolkit::Window& window() { return window_; }

  // The panel's control named `outlet`, or null.
  toolkit::View* outlet(std::string_view name) const;

  // The documents added in the dialog, printed when a print names none.
  documents::DocumentList& documents() { return documents_; }
  const documents::DocumentList& documents() const { return documents_; }
  // Which pages to print, as the person typed them ("" for every page);
  // checked again when the job is sent, against the documents then.
  const std::string& pageRanges() const { return pageRanges_; }
  void setPageRanges(std::string text) { pageRanges_ = std::move(text); }

  // Problems the bundle met (malformed layout or strings) not reported yet.
  std::vector<std::string> takeNewProblems();

 private:
  // Declared so that destruction releases the window and the panels before
  // the plug-in's library is closed, and that before the description.
  std::unique_ptr<JsonPrintSettings> settings_;
  std::unique_ptr<PpdDocument> ppd_;
  std::unique_ptr<LoadedPlugin> plugin_;
  std::shared_ptr<toolkit::Bundle> bundle_;
  std::shared_ptr<HostCallbackObject> callback_;
  std::vector<std::shared_ptr<pde::Panel>> panels_;
  toolkit::Window window_;
  toolkit::View* shown_ = nullptr;
  std::size_t problemsReported_ = 0;
  PrinterInfo printer_;
  OptionList queueDefaults_;
  documents::DocumentList documents_;
  std::string pageRanges_;
};

}  // namespace pdehost
