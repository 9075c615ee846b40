// pdehost's print dialog window: the printer (a choice among the LX4200
// queues), a pane titled with the panel's name that holds the panel's view,
// a summary of the job's settings, the documents and the copies, and Save as
// Default, Cancel and Print. Every call on the panel goes through pdehost's
// command table, as a script's line would; printing, the defaults and the
// presets are the core's actions, called directly and worded in the
// dialog's language when they fail. Each is logged as the script's JSON
// line. The dialog can wait for the printing service with its pane dimmed,
// and takes a new session when the queue is found or another is chosen.
#pragma once

#include <gtk/gtk.h>

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "control_renderer.h"
#include "documents_list.h"
#include "preview_pane.h"
#include "toolkit/whole_file.h"
#include "page_setup_pane.h"
#include "failure/failure.h"
#include "presets_menu.h"
#include "script/command_table.h"
#include "session/host_session.h"
#include "summary_rows.h"

namespace pdehost::gtk {

// The exit status after a print that failed, as a script whose print failed.
inline constexpr int kExitPrintFailed = kExitCommandFailed;

class PrintDialog : public PersonInput {
 public:
  // Opens the panel as a print dialog does (panelName, panelView, restore,
  // willShow) and builds the window, not shown yet.
  PrintDialog(HostSession& session, const CommandTable& commands, std::ostream& out, std::ostream& err,
              std::vector<std::filesystem::path> documents = {});
  ~PrintDialog() override;
  PrintDialog(const PrintDialog&) = delete;
  PrintDialog& operator=(const PrintDialog&) = delete;

  GtkWidget* window() const { return window_; }
  // The renderer of the panel's view; null when the panel gave no view.
  ControlRenderer* renderer() const { return renderer_.get(); }

  // Runs one command of the table and logs its line; a command the table
  // lacks is refused.
  CommandOutcome run(const std::string& name, const std::vector<std::string>& args = {});

  // The dialog's buttons, as a person presses them. Print saves, submits
  // as `print` does and closes the dialog when the job was sent; a failure
  // stays in the window. Cancel closes it. Both leave the pane first.
  void pressPrint();
  void pressCancel();
  bool closed() const { return closed_; }
  // 0, or kExitPrintFailed when a print failed and the dialog was then
  // cancelled.
  int exitStatus() const { return exitStatus_; }

  // What the window shows, for people and tests.
  std::vector<SummaryRow> shownSummary() const;
  std::string shownMessage() const;
  GtkWidget* printButton() const { return printButton_; }
  GtkWidget* cancelButton() const { return cancelButton_; }

  // Called once the dialog closed (the program quits its main loop there).
  void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

  // Dims the pane and holds Print and the printer choice while the
  // printing service is asked something; `what` says what.
  void showWaiting(const std::string& what);
  // Opens the panel of a new session (the queue found, or the one chosen)
  // in place of the current one; the dialog keeps it.
  void useSession(std::unique_ptr<HostSession> session);
  // Ends the wait and shows the session's printer as it now is: after a
  // lookup that found no queue, an unknown one, or no server.
  void showPrinter();
  HostSession& session() const { return *session_; }
  // Called with the queue a person picked from the printer choice.
  void setOnQueueChosen(std::function<void(const std::string&)> onChosen) { onQueueChosen_ = std::move(onChosen); }

  void pressSaveDefaults();
  // The Presets menu and what its entries do, through the command table.
  PresetsMenu& presets() const { return *presets_; }
  void choosePreset(const std::string& name);
  void savePreset(const std::string& name, bool replace);
  void deletePreset(const std::string& name);
  GtkWidget* saveDefaultsButton() const { return saveDefaultsButton_; }
  GtkWidget* printerChoice() const { return printerChoice_; }
  GtkWidget* copiesField() const { return copies_; }
  // The printer's page options with the layout, and the documents list.
  PageSetupPane& pageSetup() const { return *pageSetup_; }
  DocumentsList& documentsList() const { return *documentsList_; }
  PreviewPane& preview() const { return *preview_; }
  // Shows the job as it now stands in the preview (after a script that ran
  // on the session).
  void refreshPreview();
  // Opens the Page Setup window, as its button does.
  void showPageSetup();
  GtkWidget* pageSetupWindow() const { return pageSetupWindow_; }

  void personSelectedItem(toolkit::PopUpButton& popup, std::int64_t index) override;
  void personClicked(toolkit::Button& button) override;
  void personSlid(toolkit::Slider& slider, std::int64_t value) override;
  void personSelectedSegment(toolkit::SegmentedControl& control, std::int64_t index) override;
  void personChoseTab(toolkit::TabView& tabs, const std::string& identifier) override;

 private:
  GtkWidget* buildPageSetup();
  void refreshPageSetup();
  void refreshDocuments();
  void pageLayoutEdited();
  GtkWidget* buildHeader();
  GtkWidget* buildJobRow();
  std::string openPanel();
  void fillPane(const std::string& title);
  void updatePrinterRow();
  void refreshPresets();
  GtkWidget* buildSummaryPane();
  void refreshSummary();
  void showMessage(const std::string& text, bool isError);
  // "Could not print: {}" and the like, with why in the dialog's language.
  void showCouldNot(std::string_view couldNot, const Failure& why);
  // Logs an action's outcome as the script's line for `name`.
  void log(const std::string& name, const CommandOutcome& outcome);
  std::string outletName(const toolkit::View& view) const;
  void personCommand(const toolkit::View& view, const std::string& command, std::vector<std::string> args);
  bool leavePane();
  void close();

  static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);
  static void onPrinterChanged(GtkComboBox*, gpointer self);

  HostSession* session_;
  std::unique_ptr<HostSession> ownedSession_;
  std::vector<std::filesystem::path> documents_;
  const CommandTable& commands_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<ControlRenderer> renderer_;
  std::unique_ptr<PresetsMenu> presets_;
  GtkWidget* window_ = nullptr;
  GtkWidget* pane_ = nullptr;
  GtkWidget* printerName_ = nullptr;
  GtkWidget* printerChoice_ = nullptr;
  GtkWidget* printerModel_ = nullptr;
  GtkWidget* copies_ = nullptr;
  GtkWidget* documentsLabel_ = nullptr;
  GtkWidget* pageSetupButton_ = nullptr;
  GtkWidget* pageSetupWindow_ = nullptr;
  std::unique_ptr<PageSetupPane> pageSetup_;
  std::unique_ptr<DocumentsList> documentsList_;
  std::unique_ptr<PreviewPane> preview_;
  toolkit::TemporaryFile previewTestPage_;
  bool panelOpen_ = false;  // restored, so that its settings may be saved
  GtkWidget* saveDefaultsButton_ = nullptr;
  GtkWidget* summaryGrid_ = nullptr;
  GtkWidget* messageLabel_ = nullptr;
  GtkWidget* printButton_ = nullptr;
  GtkWidget* cancelButton_ = nullptr;
  std::vector<SummaryRow> summary_;
  std::function<void()> onClosed_;
  std::function<void(const std::string&)> onQueueChosen_;
  bool waiting_ = false;
  bool fillingChoice_ = false;
  bool closed_ = false;
  int exitStatus_ = 0;
};

}  // namespace pdehost::gtk
