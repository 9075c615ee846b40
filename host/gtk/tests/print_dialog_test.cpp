// The print dialog driven through its GTK widgets, as a person would, over
// the real TintPanel bundle and its sample description: what the panel then
// holds, what the window shows, and what the dialog asked of the panel.
#include <gtest/gtest.h>
#include <cups/cups.h>
#include <gtk/gtk.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <sstream>

#include "print_dialog.h"
#include "session/host_session.h"
#include "sample_documents.h"
#include "temp_dir.h"

namespace pdehost::gtk {
namespace {

bool haveDisplay = false;
// This run's own folder for the files the tests write (set by main).
const qvx::test::TempDir* scratch = nullptr;
// What a print dialog asks of a panel when it opens it.
const std::vector<std::string> kOpening = {"panelName", "panelView", "restore", "willShow"};

// Points libcups at `server`, or back at the default with null; libcups
// keeps the first server it read unless told again.
void useCupsServer(const char* server) {
  server != nullptr ? setenv("CUPS_SERVER", server, 1) : unsetenv("CUPS_SERVER");
  cupsSetServer(nullptr);
}

GtkWidget* findNamed(GtkWidget* root, const std::string& name) {
  if (name == gtk_widget_get_name(root)) return root;
  if (GTK_IS_NOTEBOOK(root)) {
    // Pages that are not current are children too, but walk them
    // explicitly so the search does not depend on it.
    for (int i = 0; i < gtk_notebook_get_n_pages(GTK_NOTEBOOK(root)); ++i) {
      if (GtkWidget* hit = findNamed(gtk_notebook_get_nth_page(GTK_NOTEBOOK(root), i), name)) return hit;
    }
    return nullptr;
  }
  if (!GTK_IS_CONTAINER(root)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(root));
  GtkWidget* found = nullptr;
  for (GList* at = children; at != nullptr && found == nullptr; at = at->next)
    found = findNamed(GTK_WIDGET(at->data), name);
  g_list_free(children);
  return found;
}

class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!haveDisplay) GTEST_SKIP() << "no display";
    open({});
  }

  void open(HostOptions options) {
    dialog.reset();
    session.reset();
    options.plugin = TINTPANEL_BUNDLE;
    // A named queue: the dialog keeps it whether or not a server answers.
    if (!options.printer) options.printer = "LX4200";
    HostSession::StartFailure failure;
    session = HostSession::start(options, "/nonexistent/pdehost", &failure);
    ASSERT_TRUE(session) << failure.message;
    log.str("");
    dialog = std::make_unique<PrintDialog>(*session, commands, log, errors, documents);
    gtk_widget_show(dialog->window());
    settle();
  }

  // Lets GTK and the renderer finish what a person's input started.
  void settle() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    if (dialog->renderer() != nullptr && dialog->renderer()->syncPending()) dialog->renderer()->syncNow();
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  }

  GtkWidget* widget(const std::string& name) {
    GtkWidget* found = findNamed(dialog->window(), name);
    EXPECT_NE(found, nullptr) << "no widget named " << name;
    return found;
  }

  // A person's click on, or choice in, the named widget.
  void click(const std::string& name) {
    gtk_button_clicked(GTK_BUTTON(widget(name)));
    settle();
  }
  void choose(const std::string& popup, int index) {
    gtk_combo_box_set_active(GTK_COMBO_BOX(widget(popup)), index);
    settle();
  }
  int chosen(const std::string& popup) { return gtk_combo_box_get_active(GTK_COMBO_BOX(widget(popup))); }

  nlohmann::json panelState() { return session->panel().stateSnapshot(); }

  std::vector<nlohmann::json> loggedLines() {
    std::vector<nlohmann::json> lines;
    std::istringstream in(log.str());
    for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
  }

  std::vector<std::string> loggedCommands() {
    std::vector<std::string> names;
    for (const auto& line : loggedLines()) names.push_back(line["command"]);
    return names;
  }

  std::string summaryValue(const std::string& title) {
    for (const SummaryRow& row : dialog->shownSummary()) {
      if (row.title == title) return row.value;
    }
    return "<no line " + title + ">";
  }

  CommandTable commands = standardCommands();
  std::ostringstream log;
  std::ostringstream errors;
  std::unique_ptr<HostSession> session;
  std::unique_ptr<PrintDialog> dialog;
  std::vector<std::filesystem::path> documents;
};

TEST_F(PrintDialogTest, OpensThePanelAsAPrintDialogDoesAndShowsItsState) {
  EXPECT_EQ(loggedCommands(), kOpening);

  GtkWidget* pane = widget("pane");
  ASSERT_TRUE(GTK_IS_FRAME(pane));
  EXPECT_STREQ(gtk_frame_get_label(GTK_FRAME(pane)), "Image Quality");
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(widget("printer"))), "LX4200");

  // The popups show the restored defaults; the hidden neutral-gray popup
  // stays hidden although the window was shown with show_all.
  EXPECT_EQ(chosen("colorModePopup"), 0);
  EXPECT_EQ(chosen("printPriorityPopup"), 1);
  EXPECT_FALSE(gtk_widget_get_visible(widget("neutralGrayPopup")));
  EXPECT_TRUE(gtk_widget_get_visible(widget("neutralGraySlider")));

  // Set-up removed the third tab and moved the toner-save checkbox.
  GtkWidget* tabs = widget("mainTabView");
  ASSERT_EQ(gtk_notebook_get_n_pages(GTK_NOTEBOOK(tabs)), 2);
  EXPECT_STREQ(gtk_notebook_get_tab_label_text(GTK_NOTEBOOK(tabs), gtk_notebook_get_nth_page(GTK_NOTEBOOK(tabs), 1)),
               "Color");
  GtkWidget* toner = widget("tonerSaveCB");
  int x = -1;
  gtk_container_child_get(GTK_CONTAINER(gtk_widget_get_parent(toner)), toner, "x", &x, nullptr);
  EXPECT_EQ(x, 12);

  // The checkbox the panel built itself is shown and named like the others.
  GtkWidget* smoothing = widget("SmoothingCB");
  ASSERT_TRUE(GTK_IS_CHECK_BUTTON(smoothing));
  EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(smoothing)), "Smoothing");

  // The summary pane lists the panel's answer in its display order.
  const std::vector<SummaryRow> shown = dialog->shownSummary();
  EXPECT_EQ(shown, summaryRows(session->panel().summaryInfo()));
  ASSERT_EQ(shown.size(), 9u);
  EXPECT_EQ(shown[0].title, "Print Priority");
  EXPECT_EQ(shown[5], (SummaryRow{"Color Mode", "Auto Color"}));
}

TEST_F(PrintDialogTest, APersonsChoiceRunsTheSelectCommandAndTheSummaryFollows) {
  choose("colorModePopup", 2);
  EXPECT_EQ(panelState()["colorModeChoice"], 2);
  const nlohmann::json last = loggedLines().back();
  EXPECT_EQ(last["command"], "select");
  EXPECT_EQ(last["outlet"], "colorModePopup");
  EXPECT_EQ(last["index"], 2);
  EXPECT_EQ(summaryValue("Color Mode"), "Grayscale");

  // In grayscale the panel keeps the colour tab closed: the notebook asks
  // and stays on the first page.
  GtkWidget* tabs = widget("mainTabView");
  gtk_notebook_set_current_page(GTK_NOTEBOOK(tabs), 1);
  settle();
  EXPECT_EQ(gtk_notebook_get_current_page(GTK_NOTEBOOK(tabs)), 0);
  EXPECT_EQ(loggedLines().back()["command"], "tab");
  EXPECT_EQ(loggedLines().back()["result"], false);

  // Back in colour the tab opens.
  choose("colorModePopup", 1);
  gtk_notebook_set_current_page(GTK_NOTEBOOK(tabs), 1);
  settle();
  EXPECT_EQ(gtk_notebook_get_current_page(GTK_NOTEBOOK(tabs)), 1);
  EXPECT_EQ(loggedLines().back()["result"], true);
}

TEST_F(PrintDialogTest, WhatThePanelForcesShowsAtOnce) {
  // Print priority starts at Standard (1); put it on Image Quality (2),
  // then turn toner save on: the panel forces priority back to item 1.
  choose("printPriorityPopup", 2);
  ASSERT_EQ(panelState()["printPriorityChoice"], 2);
  click("tonerSaveCB");
  EXPECT_EQ(panelState()["tonerSaveChoice"], 1);
  EXPECT_EQ(panelState()["printPriorityChoice"], 1);
  EXPECT_EQ(chosen("printPriorityPopup"), 1);
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget("tonerSaveCB"))));
  EXPECT_EQ(summaryValue("Toner Save"), "On");
  EXPECT_EQ(summaryValue("Print Priority"), "Standard");
}

TEST_F(PrintDialogTest, TheLockDimsTheControlsAndShowsTheClosedPadlock) {
  GtkWidget* lock = widget("saveSettingsButton");
  ASSERT_TRUE(GTK_IS_TOGGLE_BUTTON(lock));
  auto iconName = [&] {
    const gchar* name = nullptr;
    gtk_image_get_icon_name(GTK_IMAGE(gtk_bin_get_child(GTK_BIN(lock))), &name, nullptr);
    return std::string(name != nullptr ? name : "");
  };
  const std::string open = iconName();
  EXPECT_TRUE(gtk_widget_get_sensitive(widget("colorModePopup")));

  gtk_button_clicked(GTK_BUTTON(lock));
  settle();
  EXPECT_EQ(panelState()["saveSettingsValue"], 1);
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(lock)));
  EXPECT_NE(iconName(), open);
  EXPECT_FALSE(gtk_widget_get_sensitive(widget("colorModePopup")));
  EXPECT_FALSE(gtk_widget_get_sensitive(widget("screeningPopup")));

  gtk_button_clicked(GTK_BUTTON(lock));
  settle();
  EXPECT_EQ(panelState()["saveSettingsValue"], 0);
  EXPECT_EQ(iconName(), open);
  EXPECT_TRUE(gtk_widget_get_sensitive(widget("colorModePopup")));
}

TEST_F(PrintDialogTest, ASliderStopsAtItsTickMarksAndTheBuiltCheckboxRecords) {
  GtkWidget* slider = widget("neutralGraySlider");
  gtk_range_set_value(GTK_RANGE(slider), 2.4);
  settle();
  EXPECT_EQ(panelState()["neutralGrayChoice"], 2);
  EXPECT_EQ(gtk_range_get_value(GTK_RANGE(slider)), 2.0);
  EXPECT_EQ(summaryValue("Neutral Gray"), "Medium");

  const auto before = panelState()["smoothingChoice"].get<int>();
  click("SmoothingCB");
  EXPECT_EQ(panelState()["smoothingChoice"], 1 - before);
  EXPECT_EQ(loggedLines().back()["outlet"], "SmoothingCB");
}

TEST_F(PrintDialogTest, AFailedPrintIsShownAndTheDialogStaysOpen) {
  // No CUPS server answers here.
  useCupsServer("127.0.0.1:9");
  gtk_button_clicked(GTK_BUTTON(dialog->printButton()));
  settle();
  useCupsServer(nullptr);
  EXPECT_FALSE(dialog->closed());
  EXPECT_EQ(dialog->exitStatus(), kExitPrintFailed);
  EXPECT_EQ(dialog->shownMessage().rfind("Could not print: ", 0), 0u) << dialog->shownMessage();
  EXPECT_TRUE(gtk_widget_get_visible(widget("message")));
  // Save comes before the print, and the pane was not left.
  const std::vector<std::string> names = loggedCommands();
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "save");
  EXPECT_EQ(names.back(), "print");
  EXPECT_TRUE(session->settings() == nullptr || !session->settings()->toJson().empty());
}

// Runs a shell command and gives its standard output.
std::string shellOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  return out;
}

TEST_F(PrintDialogTest, PrintSendsTheJobWithThePanelsSettingsAndCloses) {
  if (geteuid() != 0 || access("/usr/sbin/cupsd", X_OK) != 0 || access("/usr/sbin/lpadmin", X_OK) != 0)
    GTEST_SKIP() << "needs root, cupsd and lpadmin";
  const std::string dir = (scratch->path() / "dialog-cups").string();
  const std::string started = shellOutput(std::string(PRIVATE_CUPSD) + " start " + dir);
  const auto at = started.find("CUPS_SERVER=");
  ASSERT_NE(at, std::string::npos) << started;
  std::string server = started.substr(at + 12);
  server.erase(server.find_last_not_of(" \n") + 1);
  useCupsServer(server.c_str());
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);  // the last used settings go there
  const std::string ppd = std::string(TINTPANEL_BUNDLE) + "/Contents/Resources/LX4200.ppd";
  ASSERT_EQ(std::system(("lpadmin -p LX4200 -E -v file:///dev/null -P " + ppd).c_str()), 0);
  const std::string letter = scratch->write("letter.txt", "A letter.\n").string();
  documents = {letter};
  open({});
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(widget("documents"))), "letter.txt");

  gtk_spin_button_set_value(GTK_SPIN_BUTTON(dialog->copiesField()), 3);
  click("tonerSaveCB");
  gtk_button_clicked(GTK_BUTTON(dialog->printButton()));
  settle();
  useCupsServer(nullptr);
  unsetenv("XDG_CONFIG_HOME");
  shellOutput(std::string(PRIVATE_CUPSD) + " stop " + dir);

  EXPECT_TRUE(dialog->closed()) << dialog->shownMessage();
  EXPECT_EQ(dialog->exitStatus(), 0);
  const std::vector<nlohmann::json> lines = loggedLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3]["command"], "save");
  const nlohmann::json& printed = lines[lines.size() - 2];
  EXPECT_EQ(printed["command"], "print");
  EXPECT_TRUE(printed["result"]["job"].is_number_integer()) << printed.dump();
  EXPECT_EQ(printed["result"]["options"]["VMSaveToner"], "True") << printed.dump();
  EXPECT_EQ(printed["result"]["options"]["copies"], "3") << printed.dump();
  EXPECT_EQ(printed["result"]["files"], nlohmann::json::array({letter})) << printed.dump();
  EXPECT_EQ(lines.back()["command"], "shouldHide");
}

// The Page Setup tab and the documents list reach the session: a page
// option and the layout into the job's settings, documents in and out, and
// a range past the end keeps Print from sending anything.
TEST_F(PrintDialogTest, PageSetupAndDocumentsReachTheSession) {
  documents = {scratch->write("two.ps", qvx::test::postScriptWithPages(2))};
  open({});
  ASSERT_EQ(session->documents().documents().size(), 1u);
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(widget("documents"))), "two.ps");
  click("page-setup-button");
  EXPECT_TRUE(gtk_widget_get_visible(dialog->pageSetupWindow()));

  gtk_combo_box_set_active(GTK_COMBO_BOX(dialog->pageSetup().optionControl("PageSize")), 2);
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(dialog->pageSetup().perSheetCombo()), "2");
  settle();
  std::string value;
  session->settings()->getValue("PageSize", &value);
  EXPECT_EQ(value, "Letter");
  session->settings()->getValue("number-up", &value);
  EXPECT_EQ(value, "2");

  gtk_entry_set_text(GTK_ENTRY(dialog->pageSetup().rangeEntry()), "3");
  settle();
  const std::size_t logged = loggedLines().size();
  gtk_button_clicked(GTK_BUTTON(dialog->printButton()));
  settle();
  EXPECT_FALSE(dialog->closed());
  // Two pages at 2 a sheet make 1 sheet: CUPS counts the range in sheets.
  EXPECT_NE(dialog->shownMessage().find("\"3\" starts after the last sheet"), std::string::npos)
      << dialog->shownMessage();
  EXPECT_EQ(loggedLines().size(), logged + 1) << "only the panel's save ran; nothing was printed";

  dialog->documentsList().addFiles({scratch->write("five.pdf", qvx::test::pdfWithPages(5))});
  while (dialog->documentsList().pending() > 0) g_main_context_iteration(nullptr, TRUE);
  EXPECT_EQ(session->documents().longestDocument(), 5);
  GtkListBoxRow* first = gtk_list_box_get_row_at_index(GTK_LIST_BOX(dialog->documentsList().listBox()), 0);
  GList* parts = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(first))));
  gtk_button_clicked(GTK_BUTTON(g_list_nth_data(parts, 2)));
  g_list_free(parts);
  settle();
  ASSERT_EQ(session->documents().documents().size(), 1u);
  EXPECT_EQ(session->documents().documents()[0].name, "five.pdf");
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(widget("documents"))), "five.pdf");
}

TEST_F(PrintDialogTest, ThePreviewFollowsTheDocumentsAndTheLayout) {
  documents = {scratch->write("five.pdf", qvx::test::pdfWithPages(5))};
  open({});
  // Sheets are rendered off the main loop: the loop runs until one shows.
  const auto shows = [&](const std::string& counter) {
    const gint64 end = g_get_monotonic_time() + 20 * G_USEC_PER_SEC;
    while (dialog->preview().counterText() != counter && g_get_monotonic_time() < end) {
      g_main_context_iteration(nullptr, FALSE);
      g_usleep(1000);
    }
    return dialog->preview().counterText() == counter && dialog->preview().shownImage() != nullptr;
  };
  ASSERT_TRUE(shows("1 of 5")) << dialog->preview().counterText();
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(dialog->pageSetup().perSheetCombo()), "2");
  settle();
  ASSERT_TRUE(shows("1 of 3")) << dialog->preview().counterText();
  dialog->preview().nextSheet();
  EXPECT_TRUE(shows("2 of 3")) << dialog->preview().counterText();
  // Two per sheet lie across the paper.
  cairo_surface_t* sheet = dialog->preview().shownImage();
  EXPECT_GT(cairo_image_surface_get_width(sheet), cairo_image_surface_get_height(sheet));
}

TEST_F(PrintDialogTest, WaitsForThePrintingServiceThenOpensTheQueueFound) {
  dialog->showWaiting("Waiting for the printing service…");
  settle();
  EXPECT_FALSE(gtk_widget_get_sensitive(widget("pane")));
  EXPECT_FALSE(gtk_widget_get_sensitive(dialog->printButton()));
  EXPECT_EQ(dialog->shownMessage(), "Waiting for the printing service…");

  // The queue answered: its session replaces the waiting one.
  HostOptions options;
  options.plugin = TINTPANEL_BUNDLE;
  options.printer = "";
  HostSession::StartFailure failure;
  auto found = HostSession::start(options, "/nonexistent/pdehost", &failure);
  ASSERT_TRUE(found) << failure.message;
  found->setPrinter({"QVX-B", "server", "here", {"QVX-A", "QVX-B"}, std::nullopt});
  std::vector<std::string> chosen;
  dialog->setOnQueueChosen([&](const std::string& queue) { chosen.push_back(queue); });
  log.str("");
  dialog->useSession(std::move(found));
  settle();
  EXPECT_EQ(loggedCommands(), kOpening);
  EXPECT_TRUE(gtk_widget_get_sensitive(widget("pane")));
  EXPECT_TRUE(gtk_widget_get_sensitive(dialog->printButton()));
  EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(dialog->window())), dialog->printButton());  // Return prints
  EXPECT_EQ(dialog->shownMessage(), "");
  EXPECT_STREQ(gtk_combo_box_get_active_id(GTK_COMBO_BOX(dialog->printerChoice())), "QVX-B");
  EXPECT_TRUE(gtk_widget_get_visible(dialog->printerChoice()));
  // The new panel's controls are live.
  click("tonerSaveCB");
  EXPECT_EQ(dialog->session().panel().stateSnapshot()["tonerSaveChoice"], 1);

  // Picking another queue asks for it; picking the same does not.
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(dialog->printerChoice()), "QVX-A");
  EXPECT_EQ(chosen, std::vector<std::string>{"QVX-A"});
}

TEST_F(PrintDialogTest, WithoutAQueueItSaysHowToSetOneUpAndCannotPrint) {
  PrinterInfo none;
  none.problem = noQvxPrinter();
  session->setPrinter(none);
  dialog->showPrinter();
  settle();
  EXPECT_FALSE(gtk_widget_get_sensitive(dialog->printButton()));
  EXPECT_FALSE(gtk_widget_get_sensitive(dialog->saveDefaultsButton()));
  EXPECT_NE(dialog->shownMessage().find("\"Install QVX Printer\""), std::string::npos) << dialog->shownMessage();
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(widget("printer"))), "No printer");
}

// The Presets menu's item with that label, or null.
GtkWidget* presetItem(PrintDialog& dialog, const std::string& label) {
  GList* items = gtk_container_get_children(GTK_CONTAINER(dialog.presets().menu()));
  GtkWidget* found = nullptr;
  for (GList* at = items; at != nullptr && found == nullptr; at = at->next) {
    if (GTK_IS_SEPARATOR_MENU_ITEM(at->data)) continue;
    if (label == gtk_menu_item_get_label(GTK_MENU_ITEM(at->data))) found = GTK_WIDGET(at->data);
  }
  g_list_free(items);
  return found;
}

TEST_F(PrintDialogTest, PresetsMenuSavesPicksAndDeletesPresets) {
  const std::string config = (scratch->path() / "dialog-presets").string();
  std::filesystem::remove_all(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  open({});
  click("tonerSaveCB");
  dialog->presets().saveAs("Proofs – toner save");
  settle();
  ASSERT_NE(presetItem(*dialog, "Proofs – toner save"), nullptr);
  EXPECT_FALSE(gtk_widget_get_sensitive(presetItem(*dialog, "Last Used Settings")));  // nothing printed yet

  gtk_menu_item_activate(GTK_MENU_ITEM(presetItem(*dialog, "Default Settings")));
  settle();
  EXPECT_EQ(panelState()["tonerSaveChoice"], 0);
  EXPECT_EQ(summaryValue("Toner Save"), "Off");
  gtk_menu_item_activate(GTK_MENU_ITEM(presetItem(*dialog, "Proofs – toner save")));
  settle();
  EXPECT_EQ(panelState()["tonerSaveChoice"], 1);
  EXPECT_EQ(summaryValue("Toner Save"), "On");
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widget("tonerSaveCB"))));

  dialog->deletePreset("Proofs – toner save");
  settle();
  unsetenv("XDG_CONFIG_HOME");
  std::filesystem::remove_all(config);
  EXPECT_EQ(presetItem(*dialog, "Proofs – toner save"), nullptr);
  const std::vector<std::string> names = loggedCommands();
  EXPECT_EQ(std::count(names.begin(), names.end(), "use-preset"), 2);
}

TEST_F(PrintDialogTest, CancelLeavesThePaneAndCloses) {
  bool told = false;
  dialog->setOnClosed([&] { told = true; });
  gtk_button_clicked(GTK_BUTTON(dialog->cancelButton()));
  settle();
  EXPECT_TRUE(told);
  EXPECT_TRUE(dialog->closed());
  EXPECT_FALSE(gtk_widget_get_visible(dialog->window()));
  EXPECT_EQ(loggedCommands().back(), "shouldHide");
  EXPECT_EQ(dialog->exitStatus(), 0);
}

TEST_F(PrintDialogTest, ADescriptionMissingOptionsShowsWhatItHas) {
  // Only colour mode and toner save.
  HostOptions options;
  options.ppd = scratch->write(
      "partial.ppd",
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
      "*LanguageEncoding: ISOLatin1\n*PCFileName: \"PARTIAL.PPD\"\n*Manufacturer: \"Vemra\"\n"
      "*Product: \"(LX4200)\"\n*ModelName: \"Partial\"\n*ShortNickName: \"Partial\"\n*NickName: \"Partial\"\n"
      "*PSVersion: \"(3010) 0\"\n"
      "*OpenUI *VMCMode/Color Mode: PickOne\n*DefaultVMCMode: Auto\n*VMCMode Auto/Auto Color: \"\"\n"
      "*VMCMode Color/Full Color: \"\"\n*VMCMode Gray/Grayscale: \"\"\n*CloseUI: *VMCMode\n"
      "*OpenUI *VMSaveToner/Toner Save: Boolean\n*DefaultVMSaveToner: False\n*VMSaveToner False/Off: \"\"\n"
      "*VMSaveToner True/On: \"\"\n*CloseUI: *VMSaveToner\n");
  open(options);

  const std::vector<SummaryRow> expected = {{"Toner Save", "Off"}, {"Color Mode", "Auto Color"}};
  EXPECT_EQ(dialog->shownSummary(), expected);
  // The popups of missing options are left empty; whether they are enabled
  // is the panel's rules' business, and the window shows what they left.
  GtkWidget* screening = widget("screeningPopup");
  auto* model = static_cast<toolkit::Control*>(session->outlet("screeningPopup"));
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(gtk_widget_get_sensitive(screening), model->isEnabled());
  EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(screening)), -1);
  EXPECT_EQ(gtk_tree_model_iter_n_children(gtk_combo_box_get_model(GTK_COMBO_BOX(screening)), nullptr), 0);

  click("tonerSaveCB");
  EXPECT_EQ(summaryValue("Toner Save"), "On");
}

}  // namespace
}  // namespace pdehost::gtk

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // libcups reads the user's saved defaults from HOME: the test's own, empty.
  // The tests' files go there too, apart from other runs of the suite.
  const qvx::test::TempDir home;
  pdehost::gtk::scratch = &home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("CUPS_SERVERROOT", home.path().c_str(), 1);
  pdehost::gtk::haveDisplay = gtk_init_check(&argc, &argv);
  return RUN_ALL_TESTS();
}
