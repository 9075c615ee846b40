// The Page Setup pane and the documents list through their widgets: what
// the models give shows, and what a person does reaches the actions. The
// rules themselves are the models' tests.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "documents_list.h"
#include "page_setup_pane.h"
#include "page_setup_texts.h"
#include "ppd_adapter.h"
#include "sample_documents.h"
#include "temp_dir.h"

namespace pdehost::gtk {
namespace {

bool haveDisplay = false;

TEST(PageSetupPane, ShowsTheModelAndPassesChoicesOn) {
  if (!haveDisplay) GTEST_SKIP() << "no display";
  ppdx::File ppd(ppdx::openFile(SAMPLE_PPD));
  ASSERT_TRUE(ppd);
  ppdx::markDefaults(ppd.get());
  ppdx::markOption(ppd.get(), "OptionDuplexUnit", "False");
  std::vector<std::pair<std::string, std::string>> chosen;
  int layoutChanges = 0;
  PageSetupPane pane("de", {[&](const std::string& k, const std::string& c) { chosen.emplace_back(k, c); },
                            [&] { ++layoutChanges; }});
  pane.showOptions(page::readPageOptions(ppd.get(), page::panelKeywords()));
  pane.showLayout({}, "", false);
  EXPECT_EQ(pane.optionControl("PageRegion"), nullptr);
  EXPECT_EQ(pane.optionControl("VMCMode"), nullptr);
  ASSERT_TRUE(GTK_IS_CHECK_BUTTON(pane.optionControl("ManualFeed")));
  // Two-sided is dimmed in the popup, with the reason beneath in words.
  GtkComboBox* duplex = GTK_COMBO_BOX(pane.optionControl("Duplex"));
  GtkTreeIter row;
  ASSERT_TRUE(gtk_tree_model_iter_nth_child(gtk_combo_box_get_model(duplex), &row, nullptr, 1));
  gboolean sensitive = TRUE;
  gtk_tree_model_get(gtk_combo_box_get_model(duplex), &row, 2, &sensitive, -1);
  EXPECT_FALSE(sensitive);
  // (The description's own texts stay English here: localising them is the session's part.)
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(pane.reasonLabel("Duplex"))),
               "Two-Sided erfordert die Option „Duplex Unit“, die nicht installiert ist");
  EXPECT_FALSE(gtk_widget_get_sensitive(pane.collateCheck())) << "one copy has nothing to collate";

  gtk_combo_box_set_active(GTK_COMBO_BOX(pane.optionControl("PageSize")), 2);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(pane.optionControl("ManualFeed")), TRUE);
  EXPECT_EQ(chosen, (decltype(chosen){{"PageSize", "Letter"}, {"ManualFeed", "True"}}));

  gtk_entry_set_text(GTK_ENTRY(pane.rangeEntry()), "2-3");
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(pane.perSheetCombo()), "4");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(pane.reverseCheck()), TRUE);
  EXPECT_GE(layoutChanges, 3);
  EXPECT_EQ(pane.rangeText(), "2-3") << "typing a range chooses it";
  EXPECT_EQ(pane.layoutWithoutPages().perSheet, 4);
  EXPECT_TRUE(pane.layoutWithoutPages().reverse);
}

TEST(DocumentsList, ChecksFilesOffTheMainThreadAndReportsThemInOrder) {
  if (!haveDisplay) GTEST_SKIP() << "no display";
  const qvx::test::TempDir dir;
  std::vector<documents::Inspection> seen;
  std::vector<std::size_t> removed;
  DocumentsList list(nullptr, "pt", {[&](documents::Inspection i) { seen.push_back(std::move(i)); },
                                     [&](std::size_t index) { removed.push_back(index); }});
  list.addFiles({dir.write("long.pdf", qvx::test::pdfWithPages(500)), dir.write("sheet.ods", "PK\3\4"),
                 dir.write("a.ps", qvx::test::postScriptWithPages(2))});
  EXPECT_EQ(list.pending(), 3);
  while (list.pending() > 0) g_main_context_iteration(nullptr, TRUE);
  ASSERT_EQ(seen.size(), 3u);
  ASSERT_TRUE(seen[0].document && seen[2].document);
  EXPECT_EQ(seen[0].document->pages.pages, 500);
  EXPECT_TRUE(seen[1].refusal);
  EXPECT_EQ(seen[2].document->name, "a.ps");

  list.show({*seen[0].document, *seen[2].document});
  GtkListBoxRow* second = gtk_list_box_get_row_at_index(GTK_LIST_BOX(list.listBox()), 1);
  ASSERT_NE(second, nullptr);
  GList* parts = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(second))));
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(g_list_nth_data(parts, 1))), "2 páginas");
  gtk_button_clicked(GTK_BUTTON(g_list_nth_data(parts, 2)));
  g_list_free(parts);
  EXPECT_EQ(removed, std::vector<std::size_t>{1});
}

}  // namespace
}  // namespace pdehost::gtk

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  pdehost::gtk::haveDisplay = gtk_init_check(&argc, &argv);
  return RUN_ALL_TESTS();
}
