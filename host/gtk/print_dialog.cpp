#include "print_dialog.h"

#include <ostream>

#include "host_session.h"
#include "script_runner.h"

namespace pdehost::gtk {
namespace {

GtkWidget* dimLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(label), GTK_STYLE_CLASS_DIM_LABEL);
  return label;
}

std::string ppdNickName(const HostSession& session) {
  if (session.ppd() == nullptr || session.ppd()->file() == nullptr) return {};
  const ppd_file_t* ppd = session.ppd()->file();
  if (ppd->nickname != nullptr) return ppd->nickname;
  return ppd->modelname != nullptr ? ppd->modelname : "";
}

}  // namespace

PrintDialog::PrintDialog(HostSession& session, const CommandTable& commands, std::ostream& out, std::ostream& err)
    : session_(session), commands_(commands), out_(out), err_(err) {
  // The order a print dialog opens a panel in.
  CommandOutcome name = run("panelName");
  const std::string paneTitle =
      name.line.contains("result") && name.line["result"].is_string() ? name.line["result"].get<std::string>() : "";
  run("panelView");
  run("restore");
  run("willShow");

  window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  g_object_ref_sink(window_);
  gtk_window_set_title(GTK_WINDOW(window_), "Print");
  gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
  gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);

  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(column), 16);
  gtk_container_add(GTK_CONTAINER(window_), column);
  gtk_box_pack_start(GTK_BOX(column), buildHeader(), FALSE, FALSE, 0);

  GtkWidget* panes = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 16);
  gtk_box_pack_start(GTK_BOX(panes), buildPane(paneTitle), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(panes), buildSummaryPane(), TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(column), panes, TRUE, TRUE, 0);

  messageLabel_ = gtk_label_new("");
  gtk_widget_set_name(messageLabel_, "message");
  gtk_label_set_xalign(GTK_LABEL(messageLabel_), 0);
  gtk_label_set_line_wrap(GTK_LABEL(messageLabel_), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(messageLabel_), 100);
  gtk_box_pack_start(GTK_BOX(column), messageLabel_, FALSE, FALSE, 0);

  GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
  gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
  gtk_box_set_spacing(GTK_BOX(buttons), 8);
  cancelButton_ = gtk_button_new_with_mnemonic("_Cancel");
  printButton_ = gtk_button_new_with_mnemonic("_Print");
  gtk_widget_set_name(cancelButton_, "cancel");
  gtk_widget_set_name(printButton_, "print");
  gtk_style_context_add_class(gtk_widget_get_style_context(printButton_), GTK_STYLE_CLASS_SUGGESTED_ACTION);
  gtk_widget_set_can_default(printButton_, TRUE);
  gtk_container_add(GTK_CONTAINER(buttons), cancelButton_);
  gtk_container_add(GTK_CONTAINER(buttons), printButton_);
  gtk_box_pack_start(GTK_BOX(column), buttons, FALSE, FALSE, 0);
  g_signal_connect_swapped(cancelButton_, "clicked", G_CALLBACK(+[](PrintDialog* self) { self->pressCancel(); }),
                           this);
  g_signal_connect_swapped(printButton_, "clicked", G_CALLBACK(+[](PrintDialog* self) { self->pressPrint(); }),
                           this);

  gtk_widget_show_all(column);
  gtk_widget_hide(messageLabel_);
  // show_all showed the panel's hidden controls as well; the renderer
  // knows which are hidden.
  if (renderer_) renderer_->syncNow();
  gtk_window_set_default(GTK_WINDOW(window_), printButton_);
  // Return prints, as in any print dialog.
  gtk_widget_grab_focus(printButton_);
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
  GtkWidget* caption = gtk_label_new("Printer:");
  gtk_style_context_add_class(gtk_widget_get_style_context(caption), "qvx-caption");
  gtk_box_pack_start(GTK_BOX(row), caption, FALSE, FALSE, 0);

  const std::optional<std::string> printer = session_.callback().printSession()->currentPrinterID();
  GtkWidget* name = gtk_label_new(printer && !printer->empty() ? printer->c_str() : "No printer");
  gtk_widget_set_name(name, "printer");
  gtk_style_context_add_class(gtk_widget_get_style_context(name), "qvx-printer");
  gtk_box_pack_start(GTK_BOX(row), name, FALSE, FALSE, 0);
  if (std::string model = ppdNickName(session_); !model.empty())
    gtk_box_pack_start(GTK_BOX(row), dimLabel("— " + model), FALSE, FALSE, 0);
  return row;
}

GtkWidget* PrintDialog::buildPane(const std::string& title) {
  GtkWidget* pane = gtk_frame_new(title.empty() ? nullptr : title.c_str());
  gtk_widget_set_name(pane, "pane");
  gtk_style_context_add_class(gtk_widget_get_style_context(pane), "qvx-pane");
  if (session_.shownView() != nullptr && session_.window().contentView()) {
    renderer_ = std::make_unique<ControlRenderer>(session_.window(), *this);
    renderer_->setNamer([this](const toolkit::View& view) { return outletName(view); });
    renderer_->setAfterSync([this] { refreshSummary(); });
    renderer_->syncNow();
    GtkWidget* holder = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_set_border_width(GTK_CONTAINER(holder), 8);
    gtk_box_pack_start(GTK_BOX(holder), renderer_->rootWidget(), FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(pane), holder);
  } else {
    // A panel without a view (its layout could not be loaded) still prints
    // with its settings; say why the pane is empty.
    std::string why = "This panel has no options to show.";
    GtkWidget* label = gtk_label_new(why.c_str());
    gtk_widget_set_name(label, "no-view");
    gtk_widget_set_size_request(label, 420, 200);
    gtk_container_add(GTK_CONTAINER(pane), label);
  }
  return pane;
}

GtkWidget* PrintDialog::buildSummaryPane() {
  GtkWidget* pane = gtk_frame_new("Summary");
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

void PrintDialog::refreshSummary() {
  if (summaryGrid_ == nullptr) return;
  std::vector<SummaryRow> rows = summaryRows(session_.panel().summaryInfo());
  if (rows == summary_ && gtk_grid_get_child_at(GTK_GRID(summaryGrid_), 0, 0) != nullptr) return;
  summary_ = std::move(rows);
  GList* children = gtk_container_get_children(GTK_CONTAINER(summaryGrid_));
  for (GList* at = children; at != nullptr; at = at->next) gtk_widget_destroy(GTK_WIDGET(at->data));
  g_list_free(children);
  if (summary_.empty()) {
    GtkWidget* none = dimLabel("No settings to list.");
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

CommandOutcome PrintDialog::run(const std::string& name, const std::vector<std::string>& args) {
  const CommandSpec* entry = commands_.find(name);
  CommandOutcome outcome = entry != nullptr ? entry->run(session_, args)
                                           : CommandOutcome::refused("this pdehost has no command " + name);
  nlohmann::json printed = {{"command", name}};
  printed.update(outcome.line);
  auto problems = session_.takeNewProblems();
  if (!problems.empty()) {
    printed["problems"] = problems;
    for (const auto& problem : problems) err_ << "pdehost: " << problem << "\n";
  }
  out_ << jsonLine(printed) << std::endl;
  return outcome;
}

std::string PrintDialog::outletName(const toolkit::View& view) const {
  for (const auto& [name, outlet] : session_.panel().outlets()) {
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
  CommandOutcome outcome = run(command, args);
  if (outcome.line.value("ok", true) == false) gtk_widget_error_bell(window_);
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
  if (outcome.line.value("result", true) != true) gtk_widget_error_bell(window_);
}

bool PrintDialog::leavePane() {
  CommandOutcome outcome = run("shouldHide");
  return outcome.line.value("result", true) == true;
}

void PrintDialog::pressPrint() {
  if (closed_) return;
  run("save");
  showMessage("", false);
  CommandOutcome outcome = run("print");
  if (outcome.line.value("ok", true) == false) {
    exitStatus_ = kExitPrintFailed;
    std::string why = outcome.line.value("error", std::string("the job was not sent"));
    showMessage("Could not print: " + why, true);
    return;
  }
  exitStatus_ = kExitOk;
  if (leavePane()) close();
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
