#include "print_dialog.h"

#include <ostream>

#include "actions/page_actions.h"
#include "actions/preview_action.h"
#include "cups/test_page.h"
#include "dialog_texts.h"
#include "page_setup_texts.h"
#include "failure_texts.h"
#include "script/action_lines.h"
#include "script/script_runner.h"

namespace pdehost::gtk {
namespace {

GtkWidget* dimLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(label), GTK_STYLE_CLASS_DIM_LABEL);
  return label;
}

}  // namespace

PrintDialog::PrintDialog(HostSession& session, const CommandTable& commands, std::ostream& out, std::ostream& err,
                         std::vector<std::filesystem::path> documents)
    : session_(&session), documents_(std::move(documents)), commands_(commands), out_(out), err_(err) {
  const std::string paneTitle = openPanel();

  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  gtk_window_set_title(GTK_WINDOW(window_), tr("Print").c_str());
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);

  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(column), 16);
  gtk_container_add(GTK_CONTAINER(window_), column);
  gtk_box_pack_start(GTK_BOX(column), buildHeader(), FALSE, FALSE, 0);

  GtkWidget* panes = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 16);
  pane_ = gtk_frame_new(nullptr);
  gtk_widget_set_name(pane_, "pane");
  gtk_style_context_add_class(gtk_widget_get_style_context(pane_), "qvx-pane");
  fillPane(paneTitle);
  gtk_box_pack_start(GTK_BOX(panes), pane_, FALSE, FALSE, 0);
  // Beside the panel: the summary, and the documents under it. The
  // printer's page options open in a window of their own (Page Setup…), so
  // the panel's tabs stay the only ones a keyboard meets here.
  buildPageSetup();
  GtkWidget* side = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
  gtk_box_pack_start(GTK_BOX(side), buildSummaryPane(), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(side), documentsList_->widget(), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(panes), side, TRUE, TRUE, 0);
  // The sheets as they will print, beside everything that changes them.
  preview_ = std::make_unique<PreviewPane>();
  GtkWidget* previewFrame = gtk_frame_new(tr("Preview").c_str());
  gtk_widget_set_name(previewFrame, "preview");
  gtk_container_add(GTK_CONTAINER(previewFrame), preview_->widget());
  gtk_box_pack_start(GTK_BOX(panes), previewFrame, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(column), panes, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(column), buildJobRow(), FALSE, FALSE, 0);

  messageLabel_ = gtk_label_new("");
  gtk_widget_set_name(messageLabel_, "message");
  gtk_label_set_xalign(GTK_LABEL(messageLabel_), 0);
  gtk_label_set_line_wrap(GTK_LABEL(messageLabel_), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(messageLabel_), 100);
  gtk_box_pack_start(GTK_BOX(column), messageLabel_, FALSE, FALSE, 0);

  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 8);
  saveDefaultsButton_ = gtk_button_new_with_mnemonic(tr("Save as _Default").c_str());
  gtk_widget_set_name(saveDefaultsButton_, "save-defaults");
  gtk_widget_set_tooltip_text(saveDefaultsButton_,
                              tr("Every application that prints to this printer will use these options").c_str());
  cancelButton_ = gtk_button_new_with_mnemonic(tr("_Cancel").c_str());
  printButton_ = gtk_button_new_with_mnemonic(tr("_Print").c_str());
  gtk_widget_set_name(cancelButton_, "cancel");
  gtk_widget_set_name(printButton_, "print");
  gtk_style_context_add_class(gtk_widget_get_style_context(printButton_), GTK_STYLE_CLASS_SUGGESTED_ACTION);
  gtk_widget_set_can_default(printButton_, TRUE);
  presets_ = std::make_unique<PresetsMenu>(
      GTK_WINDOW(window_),
      PresetsMenu::Actions{[this](const std::string& name) { choosePreset(name); },
                           [this](const std::string& name, bool replace) { savePreset(name, replace); },
                           [this](const std::string& name) { deletePreset(name); }});
  gtk_container_add(GTK_CONTAINER(buttons), presets_->button());
  gtk_button_box_set_child_secondary(GTK_BUTTON_BOX(buttons), presets_->button(), TRUE);
  gtk_container_add(GTK_CONTAINER(buttons), saveDefaultsButton_);
  gtk_button_box_set_child_secondary(GTK_BUTTON_BOX(buttons), saveDefaultsButton_, TRUE);
  pageSetupButton_ = gtk_button_new_with_mnemonic(pageSetupText(dialogLanguage(), "Pa_ge Setup…").c_str());
  gtk_widget_set_name(pageSetupButton_, "page-setup-button");
  gtk_container_add(GTK_CONTAINER(buttons), pageSetupButton_);
  gtk_button_box_set_child_secondary(GTK_BUTTON_BOX(buttons), pageSetupButton_, TRUE);
  g_signal_connect_swapped(pageSetupButton_, "clicked", G_CALLBACK(+[](PrintDialog* self) { self->showPageSetup(); }),
                           this);
  gtk_container_add(GTK_CONTAINER(buttons), cancelButton_);
  gtk_container_add(GTK_CONTAINER(buttons), printButton_);
  gtk_box_pack_start(GTK_BOX(column), buttons, FALSE, FALSE, 0);
  g_signal_connect_swapped(cancelButton_, "clicked", G_CALLBACK(+[](PrintDialog* self) { self->pressCancel(); }),
                           this);
  g_signal_connect_swapped(printButton_, "clicked", G_CALLBACK(+[](PrintDialog* self) { self->pressPrint(); }),
                           this);
  g_signal_connect_swapped(saveDefaultsButton_, "clicked",
                           G_CALLBACK(+[](PrintDialog* self) { self->pressSaveDefaults(); }), this);

  gtk_widget_show_all(column);
  gtk_widget_hide(messageLabel_);
  refreshDocuments();
  // show_all showed the panel's hidden controls as well; the renderer
  // knows which are hidden.
  if (renderer_) renderer_->syncNow();
  updatePrinterRow();
  refreshPresets();
  gtk_window_set_default(GTK_WINDOW(window_), printButton_);
  // Escape cancels, as in any dialog.
  GtkAccelGroup* keys = gtk_accel_group_new();
  gtk_window_add_accel_group(GTK_WINDOW(window_), keys);
  gtk_widget_add_accelerator(cancelButton_, "clicked", keys, GDK_KEY_Escape, static_cast<GdkModifierType>(0),
                             static_cast<GtkAccelFlags>(0));
  g_object_unref(keys);
  // Return prints, as in any print dialog.
  gtk_widget_grab_focus(printButton_);
}

GtkWidget* PrintDialog::buildPageSetup() {
  const std::string language(dialogLanguage());
  pageSetup_ = std::make_unique<PageSetupPane>(
      language, PageSetupPane::Actions{[this](const std::string& keyword, const std::string& choice) {
                                         auto refused = choosePageOption(*session_, keyword, choice, dialogLanguage());
                                         showMessage(refused ? refused->words : "", refused.has_value());
                                         refreshPageSetup();
                                       },
                                       [this] { pageLayoutEdited(); }});
  documentsList_ = std::make_unique<DocumentsList>(
      GTK_WINDOW(window_), language,
      DocumentsList::Actions{[this](documents::Inspection checked) {
                               if (checked.document) addCheckedDocument(*session_, std::move(*checked.document));
                               documentsList_->showProblem(checked.refusal ? checked.refusal->words : "");
                               refreshDocuments();
                             },
                             [this](std::size_t index) {
                               removeDocument(*session_, index);
                               refreshDocuments();
                             }});
  // Documents the dialog was opened with ("Open With"): a few milliseconds
  // each, a long PDF included, so they are there before the window shows.
  for (const std::filesystem::path& file : documents_) {
    auto added = addDocument(*session_, file, language);
    if (!added) documentsList_->showProblem(added.failure().words);
  }
  refreshPageSetup();
  pageSetupWindow_ = gtk_dialog_new_with_buttons(pageSetupText(language, "Page Setup").c_str(), GTK_WINDOW(window_),
                                                 GTK_DIALOG_DESTROY_WITH_PARENT, pageSetupText(language, "_Close").c_str(),
                                                 GTK_RESPONSE_CLOSE, nullptr);
  gtk_widget_set_name(pageSetupWindow_, "page-setup-window");
  gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(pageSetupWindow_))), pageSetup_->widget());
  g_signal_connect(pageSetupWindow_, "response", G_CALLBACK(gtk_widget_hide), nullptr);
  g_signal_connect(pageSetupWindow_, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
  return pageSetup_->widget();
}

void PrintDialog::showPageSetup() {
  refreshPageSetup();
  gtk_widget_show_all(pageSetupWindow_);
  gtk_window_present(GTK_WINDOW(pageSetupWindow_));
}

void PrintDialog::refreshPageSetup() {
  if (!pageSetup_) return;
  pageSetup_->showOptions(pageOptions(*session_));
  const bool severalCopies = copies_ != nullptr && gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(copies_)) > 1;
  pageSetup_->showLayout(layoutOf(*session_), session_->pageRanges(), severalCopies);
  const page::ParsedRanges pages = pageRangesOf(*session_, session_->documents().longestDocument());
  pageSetup_->showRangeProblem(pages.ok() ? "" : rangeWords(*pages.error, dialogLanguage()));
  refreshPreview();
}

void PrintDialog::pageLayoutEdited() {
  setLayout(*session_, pageSetup_->layoutWithoutPages());
  const auto wrong = setPageRanges(*session_, pageSetup_->rangeText(), dialogLanguage());
  pageSetup_->showRangeProblem(wrong.value_or(""));
  refreshPreview();
}

void PrintDialog::refreshDocuments() {
  const auto& documents = session_->documents().documents();
  documentsList_->show(documents);
  std::string names;
  for (const documents::Document& document : documents) names += (names.empty() ? "" : ", ") + document.name;
  if (documentsLabel_ != nullptr) gtk_label_set_text(GTK_LABEL(documentsLabel_), names.empty() ? tr("Test page").c_str() : names.c_str());
  // A range is checked again against the documents now there.
  const page::ParsedRanges pages = pageRangesOf(*session_, session_->documents().longestDocument());
  pageSetup_->showRangeProblem(pages.ok() ? "" : rangeWords(*pages.error, dialogLanguage()));
  refreshPreview();
}

std::string PrintDialog::openPanel() {
  // The order a print dialog opens a panel in.
  panelOpen_ = false;
  CommandOutcome name = run("panelName");
  run("panelView");
  run("restore");
  run("willShow");
  panelOpen_ = true;
  return name.text.value_or("");
}

PrintDialog::~PrintDialog() {
  renderer_.reset();
  if (window_ != nullptr) {
    gtk_widget_destroy(window_);
    g_object_unref(window_);
  }
}

GtkWidget* PrintDialog::buildHeader() {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  GtkWidget* caption = gtk_label_new_with_mnemonic(tr("P_rinter:").c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(caption), "qvx-caption");
  gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);

  printerName_ = gtk_label_new("");
  gtk_widget_set_name(printerName_, "printer");
  gtk_style_context_add_class(gtk_widget_get_style_context(printerName_), "qvx-printer");
  gtk_widget_set_no_show_all(printerName_, TRUE);
  gtk_box_pack_start(GTK_BOX(row), printerName_, FALSE, FALSE, 0);
  // The LX4200 queues there are, when there is a choice to make.
  printerChoice_ = gtk_combo_box_text_new();
  gtk_widget_set_name(printerChoice_, "printer-choice");
  gtk_widget_set_no_show_all(printerChoice_, TRUE);
  gtk_label_set_mnemonic_widget(GTK_LABEL(caption), printerChoice_);
  // A screen reader names it by its caption, not by the queue shown.
  atk_object_set_name(gtk_widget_get_accessible(printerChoice_), tr("Printer").c_str());
  g_signal_connect(printerChoice_, "changed", G_CALLBACK(onPrinterChanged), this);
  gtk_box_pack_start(GTK_BOX(row), printerChoice_, FALSE, FALSE, 0);
  printerModel_ = dimLabel("");
  gtk_widget_set_name(printerModel_, "printer-model");
  gtk_box_pack_start(GTK_BOX(row), printerModel_, FALSE, FALSE, 0);
  return row;
}

GtkWidget* PrintDialog::buildJobRow() {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  std::string names;
  for (const std::filesystem::path& document : documents_)
    names += (names.empty() ? "" : ", ") + document.filename().string();
  GtkWidget* caption = dimLabel(tr(documents_.size() > 1 ? "Documents:" : "Document:"));
  gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);
  GtkWidget* documents = gtk_label_new(names.empty() ? tr("Test page").c_str() : names.c_str());
  documentsLabel_ = documents;
  gtk_widget_set_name(documents, "documents");
  gtk_label_set_ellipsize(GTK_LABEL(documents), PANGO_ELLIPSIZE_MIDDLE);
  gtk_label_set_max_width_chars(GTK_LABEL(documents), 60);
  gtk_label_set_xalign(GTK_LABEL(documents), 0);
  if (!names.empty()) {
    std::string all;
    for (const std::filesystem::path& document : documents_) all += (all.empty() ? "" : "\n") + document.string();
    gtk_widget_set_tooltip_text(documents, all.c_str());
  }
  gtk_box_pack_start(GTK_BOX(row), documents, TRUE, TRUE, 0);

  GtkWidget* copiesCaption = gtk_label_new_with_mnemonic(tr("C_opies:").c_str());
  copies_ = gtk_spin_button_new_with_range(1, 9999, 1);
  gtk_widget_set_name(copies_, "copies");
  gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(copies_), TRUE);
  gtk_entry_set_activates_default(GTK_ENTRY(copies_), TRUE);
  gtk_label_set_mnemonic_widget(GTK_LABEL(copiesCaption), copies_);
  atk_object_set_name(gtk_widget_get_accessible(copies_), tr("Copies").c_str());
  gtk_box_pack_end(GTK_BOX(row), copies_, FALSE, FALSE, 0);
  // Collating matters from two copies on.
  g_signal_connect_swapped(copies_, "value-changed", G_CALLBACK(+[](PrintDialog* self) {
                             gtk_widget_set_sensitive(self->pageSetup_->collateCheck(),
                                                      gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(self->copies_)) > 1);
                           }),
                           this);
  gtk_box_pack_end(GTK_BOX(row), copiesCaption, FALSE, FALSE, 0);
  return row;
}

void PrintDialog::fillPane(const std::string& title) {
  gtk_frame_set_label(GTK_FRAME(pane_), title.empty() ? nullptr : title.c_str());
  if (session_->shownView() != nullptr && session_->window().contentView()) {
    renderer_ = std::make_unique<ControlRenderer>(session_->window(), *this);
    renderer_->setNamer([this](const toolkit::View& view) { return outletName(view); });
    renderer_->setAfterSync([this] { refreshSummary(); });
    renderer_->syncNow();
    GtkWidget* holder = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_set_border_width(GTK_CONTAINER(holder), 8);
    gtk_box_pack_start(GTK_BOX(holder), renderer_->rootWidget(), FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(pane_), holder);
  } else {
    // A panel without a view (its layout could not be loaded) still prints
    // with its settings; say why the pane is empty.
    GtkWidget* label = gtk_label_new(tr("This panel has no options to show.").c_str());
    gtk_widget_set_name(label, "no-view");
    gtk_widget_set_size_request(label, 420, 200);
    gtk_container_add(GTK_CONTAINER(pane_), label);
  }
}

void PrintDialog::showWaiting(const std::string& what) {
  waiting_ = true;
  gtk_widget_set_sensitive(pane_, FALSE);
  if (pageSetup_) gtk_widget_set_sensitive(pageSetup_->widget(), FALSE);
  if (pageSetupButton_ != nullptr) gtk_widget_set_sensitive(pageSetupButton_, FALSE);
  showMessage(what, false);
  updatePrinterRow();
}

void PrintDialog::showPrinter() {
  waiting_ = false;
  if (pageSetup_) gtk_widget_set_sensitive(pageSetup_->widget(), TRUE);
  if (pageSetupButton_ != nullptr) gtk_widget_set_sensitive(pageSetupButton_, TRUE);
  showMessage("", false);
  updatePrinterRow();
  // Print could not hold the focus while it was dimmed; Return prints again.
  if (gtk_widget_get_sensitive(printButton_)) gtk_widget_grab_focus(printButton_);
}

void PrintDialog::useSession(std::unique_ptr<HostSession> session) {
  // The old panel's widgets go before the session that owns its views.
  renderer_.reset();
  if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(pane_))) gtk_widget_destroy(child);
  // The documents and the pages chosen stay with the dialog, whichever queue.
  for (const documents::Document& document : session_->documents().documents()) addCheckedDocument(*session, document);
  session->setPageRanges(session_->pageRanges());
  ownedSession_ = std::move(session);
  session_ = ownedSession_.get();
  summary_.clear();
  const std::string title = openPanel();
  fillPane(title);
  gtk_widget_show_all(pane_);
  if (renderer_) renderer_->syncNow();
  refreshSummary();
  refreshPresets();
  refreshPageSetup();
  showPrinter();
}

void PrintDialog::updatePrinterRow() {
  const PrinterInfo& printer = session_->printer();
  const bool haveQueue = printer.queue && !printer.queue->empty();
  gtk_label_set_text(GTK_LABEL(printerName_), haveQueue ? printer.queue->c_str() : tr("No printer").c_str());

  // The choice lists the LX4200 queues, and the queue in use among them.
  fillingChoice_ = true;
  gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(printerChoice_));
  int active = -1;
  for (std::size_t i = 0; i < printer.lx4200Queues.size(); ++i) {
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(printerChoice_), printer.lx4200Queues[i].c_str(),
                              printer.lx4200Queues[i].c_str());
    if (haveQueue && printer.lx4200Queues[i] == *printer.queue) active = static_cast<int>(i);
  }
  if (haveQueue && active < 0) {
    // A queue named on the command line that drives another model.
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(printerChoice_), printer.queue->c_str(), printer.queue->c_str());
    active = static_cast<int>(printer.lx4200Queues.size());
  }
  gtk_combo_box_set_active(GTK_COMBO_BOX(printerChoice_), active);
  fillingChoice_ = false;
  const bool choosing = !printer.lx4200Queues.empty();
  gtk_widget_set_visible(printerChoice_, choosing);
  gtk_widget_set_visible(printerName_, !choosing);
  gtk_widget_set_sensitive(printerChoice_, !waiting_);

  std::string model = describePrinter(*session_).model;
  if (printer.source == "sample" && !model.empty()) model += tr(" (sample description)");
  gtk_label_set_text(GTK_LABEL(printerModel_), model.empty() ? "" : ("— " + model).c_str());

  gtk_widget_set_sensitive(printButton_, haveQueue && !waiting_);
  gtk_widget_set_sensitive(saveDefaultsButton_, haveQueue && !waiting_ && session_->settings() != nullptr);
  if (!waiting_) {
    gtk_widget_set_sensitive(pane_, TRUE);
    if (printer.problem) {
      std::string text = wordedForDialog(*printer.problem);
      if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
      showMessage(text, !haveQueue);
    }
  }
}

void PrintDialog::onPrinterChanged(GtkComboBox* box, gpointer self) {
  auto* dialog = static_cast<PrintDialog*>(self);
  if (dialog->fillingChoice_ || dialog->waiting_) return;
  const gchar* id = gtk_combo_box_get_active_id(box);
  if (id == nullptr) return;
  const std::optional<std::string>& current = dialog->session_->printer().queue;
  if (current && *current == id) return;
  if (dialog->onQueueChosen_) dialog->onQueueChosen_(id);
}

GtkWidget* PrintDialog::buildSummaryPane() {
  GtkWidget* pane = gtk_frame_new(tr("Summary").c_str());
  gtk_widget_set_name(pane, "summary-pane");
  gtk_style_context_add_class(gtk_widget_get_style_context(pane), "qvx-pane");
  summaryGrid_ = gtk_grid_new();
  gtk_widget_set_name(summaryGrid_, "summary");
  gtk_grid_set_row_spacing(GTK_GRID(summaryGrid_), 6);
  gtk_grid_set_column_spacing(GTK_GRID(summaryGrid_), 12);
  gtk_container_set_border_width(GTK_CONTAINER(summaryGrid_), 12);
  gtk_widget_set_size_request(summaryGrid_, 260, -1);
  gtk_container_add(GTK_CONTAINER(pane), summaryGrid_);
  refreshSummary();
  return pane;
}

void PrintDialog::refreshPreview() {
  // Until the panel has restored the settings, saving would overwrite them.
  if (!preview_ || !panelOpen_) return;
  // The panel's choices reach the print settings as they would for a job.
  std::string error;
  session_->panel().saveValuesAndReturnError(&error);
  if (session_->documents().empty() && !previewTestPage_) {
    previewTestPage_ = writeTestPage(session_->printer().queue.value_or("LX4200"), &error);
  }
  preview_->showJob(previewJobOf(*session_, previewTestPage_ ? previewTestPage_.path() : std::filesystem::path()));
}

void PrintDialog::refreshSummary() {
  refreshPreview();
  if (summaryGrid_ == nullptr) return;
  std::vector<SummaryRow> rows = summaryRows(session_->panel().summaryInfo());
  if (rows == summary_ && gtk_grid_get_child_at(GTK_GRID(summaryGrid_), 0, 0) != nullptr) return;
  summary_ = std::move(rows);
  GList* children = gtk_container_get_children(GTK_CONTAINER(summaryGrid_));
  for (GList* at = children; at != nullptr; at = at->next) gtk_widget_destroy(GTK_WIDGET(at->data));
  g_list_free(children);
  if (summary_.empty()) {
    GtkWidget* none = dimLabel(tr("No settings to list."));
    gtk_grid_attach(GTK_GRID(summaryGrid_), none, 0, 0, 2, 1);
  }
  int top = 0;
  for (const SummaryRow& row : summary_) {
    GtkWidget* title = dimLabel(row.title);
    gtk_label_set_xalign(GTK_LABEL(title), 1);
    gtk_label_set_yalign(GTK_LABEL(title), 0);
    GtkWidget* value = gtk_label_new(row.value.c_str());
    gtk_label_set_xalign(GTK_LABEL(value), 0);
    gtk_label_set_yalign(GTK_LABEL(value), 0);
    gtk_label_set_line_wrap(GTK_LABEL(value), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(value), 22);
    gtk_widget_set_hexpand(value, TRUE);
    gtk_grid_attach(GTK_GRID(summaryGrid_), title, 0, top, 1, 1);
    gtk_grid_attach(GTK_GRID(summaryGrid_), value, 1, top, 1, 1);
    ++top;
  }
  gtk_widget_show_all(summaryGrid_);
}

std::vector<SummaryRow> PrintDialog::shownSummary() const {
  std::vector<SummaryRow> rows;
  for (int top = 0;; ++top) {
    GtkWidget* title = gtk_grid_get_child_at(GTK_GRID(summaryGrid_), 0, top);
    GtkWidget* value = gtk_grid_get_child_at(GTK_GRID(summaryGrid_), 1, top);
    if (title == nullptr || value == nullptr) break;
    rows.push_back({gtk_label_get_text(GTK_LABEL(title)), gtk_label_get_text(GTK_LABEL(value))});
  }
  return rows;
}

std::string PrintDialog::shownMessage() const {
  return gtk_widget_get_visible(messageLabel_) ? gtk_label_get_text(GTK_LABEL(messageLabel_)) : "";
}

void PrintDialog::showMessage(const std::string& text, bool isError) {
  gtk_label_set_text(GTK_LABEL(messageLabel_), text.c_str());
  GtkStyleContext* style = gtk_widget_get_style_context(messageLabel_);
  if (isError) {
    gtk_style_context_add_class(style, GTK_STYLE_CLASS_ERROR);
  } else {
    gtk_style_context_remove_class(style, GTK_STYLE_CLASS_ERROR);
  }
  gtk_widget_set_visible(messageLabel_, !text.empty());
}

void PrintDialog::showCouldNot(std::string_view couldNot, const Failure& why) {
  showMessage(trFormat(couldNot, {wordedForDialog(why)}), true);
}

CommandOutcome PrintDialog::run(const std::string& name, const std::vector<std::string>& args) {
  const CommandSpec* entry = commands_.find(name);
  CommandOutcome outcome = entry != nullptr ? entry->run(*session_, args)
                                           : CommandOutcome::refused("this pdehost has no command " + name);
  log(name, outcome);
  // Whatever a command changed, a script's included, shows in the preview.
  refreshPreview();
  return outcome;
}

void PrintDialog::log(const std::string& name, const CommandOutcome& outcome) {
  nlohmann::json printed = {{"command", name}};
  printed.update(outcome.line);
  auto problems = session_->takeNewProblems();
  if (!problems.empty()) {
    printed["problems"] = problems;
    for (const auto& problem : problems) err_ << "pdehost: " << problem << "\n";
  }
  out_ << jsonLine(printed) << std::endl;
}

std::string PrintDialog::outletName(const toolkit::View& view) const {
  for (const auto& [name, outlet] : session_->panel().outlets()) {
    if (outlet == &view) return name;
  }
  return {};
}

void PrintDialog::personCommand(const toolkit::View& view, const std::string& command,
                                std::vector<std::string> args) {
  const std::string outlet = outletName(view);
  if (outlet.empty()) {
    gtk_widget_error_bell(window_);
    return;
  }
  args.insert(args.begin(), outlet);
  if (!run(command, args).carriedOut) gtk_widget_error_bell(window_);
}

void PrintDialog::personSelectedItem(toolkit::PopUpButton& popup, std::int64_t index) {
  personCommand(popup, "select", {std::to_string(index)});
}

void PrintDialog::personClicked(toolkit::Button& button) { personCommand(button, "click", {}); }

void PrintDialog::personSlid(toolkit::Slider& slider, std::int64_t value) {
  personCommand(slider, "slide", {std::to_string(value)});
}

void PrintDialog::personSelectedSegment(toolkit::SegmentedControl& control, std::int64_t index) {
  personCommand(control, "segment", {std::to_string(index)});
}

void PrintDialog::personChoseTab(toolkit::TabView&, const std::string& identifier) {
  CommandOutcome outcome = run("tab", {identifier});
  // The panel may keep a tab closed (the colour tab while printing in
  // black and white, say): the notebook then stays where it was.
  if (outcome.yesNo == false) gtk_widget_error_bell(window_);
}

bool PrintDialog::leavePane() { return run("shouldHide").yesNo.value_or(true); }

void PrintDialog::pressPrint() {
  if (closed_) return;
  run("save");
  showMessage("", false);
  if (documentsList_->pending() > 0) {
    showMessage(pageSetupText(dialogLanguage(), "Counting pages…"), false);
    return;
  }
  const page::ParsedRanges pages = pageRangesOf(*session_, session_->documents().longestDocument().value_or(1));
  if (!pages.ok()) {
    exitStatus_ = kExitPrintFailed;
    showMessage(trFormat("Could not print: {}", {rangeWords(*pages.error, dialogLanguage())}), true);
    return;
  }
  PrintRequest request{{}, std::nullopt};
  const int copies = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(copies_));
  if (copies > 1) request.copies = copies;
  const auto printed = printJob(*session_, request);
  log("print", printLine(printed, request));
  if (!printed) {
    exitStatus_ = kExitPrintFailed;
    showCouldNot("Could not print: {}", printed.failure().failure);
    return;
  }
  exitStatus_ = kExitOk;
  if (leavePane()) close();
}

void PrintDialog::refreshPresets() {
  PresetMenuEntries entries;
  // Without a folder for presets the menu holds the built-in ones alone.
  if (const auto listing = listPresets(*session_)) {
    entries.names = listing.value().names;
    for (const PresetEntry& entry : listing.value().unusable)
      entries.unusable.emplace_back(entry.file.filename().string(), entry.problem.value_or(""));
    entries.lastUsedAvailable = listing.value().lastUsedAvailable;
  }
  presets_->refresh(std::move(entries));
}

void PrintDialog::choosePreset(const std::string& name) {
  const auto used = usePreset(*session_, name);
  log("use-preset", usePresetLine(used, name));
  if (!used) {
    showCouldNot("Could not use the preset: {}", used.failure());
    return;
  }
  showMessage("", false);
  if (renderer_) renderer_->syncNow();
}

void PrintDialog::savePreset(const std::string& name, bool replace) {
  const auto saved = pdehost::savePreset(*session_, name, replace);
  log("save-preset", savePresetLine(saved, name, replace));
  if (!saved) {
    showCouldNot("Could not save the preset: {}", saved.failure());
  } else {
    showMessage(trFormat("Saved the preset \"{}\".", {name}), false);
  }
  refreshPresets();
}

void PrintDialog::deletePreset(const std::string& name) {
  const auto deleted = pdehost::deletePreset(*session_, name);
  log("delete-preset", deletePresetLine(deleted, name));
  if (!deleted) showCouldNot("Could not delete the preset: {}", deleted.failure());
  refreshPresets();
}

void PrintDialog::pressSaveDefaults() {
  if (closed_) return;
  run("save");
  const auto saved = saveDefaults(*session_);
  log("save-defaults", saveDefaultsLine(saved));
  if (!saved) {
    showCouldNot("Could not save the defaults: {}", saved.failure());
    return;
  }
  showMessage(trFormat("Saved as the defaults for {}: every application that prints to it now uses these options.",
                       {saved.value().printer}),
              false);
}

void PrintDialog::pressCancel() {
  if (closed_) return;
  if (leavePane()) close();
}

void PrintDialog::close() {
  closed_ = true;
  gtk_widget_hide(window_);
  if (onClosed_) onClosed_();
}

gboolean PrintDialog::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<PrintDialog*>(self)->pressCancel();
  return TRUE;  // the dialog hides itself; the window lives as long as the dialog
}

}  // namespace pdehost::gtk
