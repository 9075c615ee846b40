#include "page_setup_pane.h"

#include <algorithm>

#include "page_setup_texts.h"

namespace pdehost::gtk {
namespace {

enum Column { kText, kKeyword, kSensitive };

// A choice rebuilds the options grid, which destroys the very control that
// is still emitting its signal; GTK goes on using it after the handler
// returns ("notify::active"), so it is kept alive until the loop is idle.
void keepAliveUntilIdle(gpointer widget) {
  g_object_ref(widget);
  g_idle_add(
      +[](gpointer kept) -> gboolean {
        g_object_unref(kept);
        return G_SOURCE_REMOVE;
      },
      widget);
}

void removeChildren(GtkWidget* container) {
  GList* children = gtk_container_get_children(GTK_CONTAINER(container));
  for (GList* child = children; child != nullptr; child = child->next) gtk_widget_destroy(GTK_WIDGET(child->data));
  g_list_free(children);
}

GtkWidget* captionLabel(const std::string& text, bool mnemonic = false) {
  GtkWidget* label = mnemonic ? gtk_label_new_with_mnemonic(text.c_str()) : gtk_label_new(text.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  return label;
}

// Dim, wrapping words under a control; hidden while empty.
GtkWidget* noteLabel() {
  GtkWidget* label = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 48);
  gtk_style_context_add_class(gtk_widget_get_style_context(label), "dim-label");
  gtk_widget_set_no_show_all(label, TRUE);
  return label;
}

void setNote(GtkWidget* label, const std::string& words) {
  gtk_label_set_text(GTK_LABEL(label), words.c_str());
  gtk_widget_set_visible(label, !words.empty());
}

// Why some of `option`'s choices are dimmed, a line per thing that stands
// against them: choices ruled out by the same other choice share a line
// ("A6, B6 is not possible with Paper Source: Tray 1").
std::string reasonsFor(const page::PageOption& option, std::string_view language) {
  std::vector<page::PageChoice> groups;
  for (const page::PageChoice& choice : option.choices) {
    if (!choice.blockedBy) continue;
    const auto same = std::ranges::find_if(groups, [&](const page::PageChoice& group) {
      return group.blockedBy->keyword == choice.blockedBy->keyword && group.blockedBy->choice == choice.blockedBy->choice;
    });
    if (same == groups.end())
      groups.push_back(choice);
    else
      same->text += ", " + choice.text;
  }
  std::string text;
  for (const page::PageChoice& group : groups)
    text += (text.empty() ? "" : "\n") + page::whyNotAllowed(option, group, language);
  return text;
}

GtkWidget* frameAround(const std::string& title, GtkWidget* child) {
  GtkWidget* frame = gtk_frame_new(title.c_str());
  gtk_container_set_border_width(GTK_CONTAINER(child), 8);
  gtk_container_add(GTK_CONTAINER(frame), child);
  return frame;
}

GtkWidget* newGrid() {
  GtkWidget* grid = gtk_grid_new();
  gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
  return grid;
}

}  // namespace

PageSetupPane::PageSetupPane(std::string language, Actions actions)
    : language_(std::move(language)), actions_(std::move(actions)) {
  // A printer with many options scrolls; the sample's few fit as they are.
  root_ = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_widget_set_name(root_, "page-setup");
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(root_), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_propagate_natural_height(GTK_SCROLLED_WINDOW(root_), TRUE);
  gtk_scrolled_window_set_max_content_height(GTK_SCROLLED_WINDOW(root_), 640);
  GtkWidget* content = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(content), 12);
  gtk_container_add(GTK_CONTAINER(root_), content);
  atk_object_set_name(gtk_widget_get_accessible(root_), text("Page Setup").c_str());
  optionsGrid_ = newGrid();
  gtk_widget_set_name(optionsGrid_, "printer-options");
  gtk_box_pack_start(GTK_BOX(content), frameAround(text("Printer Options"), optionsGrid_), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(content), buildLayout(), FALSE, FALSE, 0);
  installedGrid_ = newGrid();
  gtk_widget_set_name(installedGrid_, "installed-options");
  installedFrame_ = frameAround(text("Installed Options"), installedGrid_);
  gtk_box_pack_start(GTK_BOX(content), installedFrame_, FALSE, FALSE, 0);
}

std::string PageSetupPane::text(std::string_view english) const { return pageSetupText(language_, english); }

GtkWidget* PageSetupPane::buildLayout() {
  GtkWidget* grid = newGrid();
  gtk_widget_set_name(grid, "layout");
  const auto edited = +[](GtkWidget*, PageSetupPane* pane) { pane->layoutEdited(); };

  gtk_grid_attach(GTK_GRID(grid), captionLabel(text("Pages:")), 0, 0, 1, 1);
  allPages_ = gtk_radio_button_new_with_mnemonic(nullptr, text("A_ll").c_str());
  somePages_ = gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(allPages_), text("Ra_nge:").c_str());
  rangeEntry_ = gtk_entry_new();
  gtk_widget_set_name(rangeEntry_, "page-range");
  gtk_entry_set_placeholder_text(GTK_ENTRY(rangeEntry_), text("for example 1-3, 5, 8-").c_str());
  gtk_entry_set_width_chars(GTK_ENTRY(rangeEntry_), 16);
  atk_object_set_name(gtk_widget_get_accessible(rangeEntry_), text("Pages:").c_str());
  GtkWidget* pages = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  gtk_box_pack_start(GTK_BOX(pages), allPages_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(pages), somePages_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(pages), rangeEntry_, TRUE, TRUE, 0);
  gtk_grid_attach(GTK_GRID(grid), pages, 1, 0, 1, 1);
  rangeProblem_ = noteLabel();
  gtk_widget_set_name(rangeProblem_, "page-range-problem");
  gtk_grid_attach(GTK_GRID(grid), rangeProblem_, 1, 1, 1, 1);
  g_signal_connect(somePages_, "toggled", G_CALLBACK(edited), this);
  g_signal_connect(rangeEntry_, "changed", G_CALLBACK(+[](GtkWidget*, PageSetupPane* pane) {
                     // Typing a range chooses it.
                     if (!pane->showing_ && gtk_entry_get_text_length(GTK_ENTRY(pane->rangeEntry_)) > 0)
                       gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(pane->somePages_), TRUE);
                     pane->layoutEdited();
                   }),
                   this);

  perSheet_ = gtk_combo_box_text_new();
  gtk_widget_set_name(perSheet_, "per-sheet");
  for (const int n : page::kPagesPerSheet) gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(perSheet_), std::to_string(n).c_str(), std::to_string(n).c_str());
  GtkWidget* perSheetLabel = captionLabel(text("Pages per s_heet:"), true);
  gtk_label_set_mnemonic_widget(GTK_LABEL(perSheetLabel), perSheet_);
  gtk_grid_attach(GTK_GRID(grid), perSheetLabel, 0, 2, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), perSheet_, 1, 2, 1, 1);

  orientation_ = gtk_combo_box_text_new();
  gtk_widget_set_name(orientation_, "orientation");
  gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(orientation_), "portrait", text("Portrait").c_str());
  gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(orientation_), "landscape", text("Landscape").c_str());
  GtkWidget* orientationLabel = captionLabel(text("Or_ientation:"), true);
  gtk_label_set_mnemonic_widget(GTK_LABEL(orientationLabel), orientation_);
  gtk_grid_attach(GTK_GRID(grid), orientationLabel, 0, 3, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), orientation_, 1, 3, 1, 1);

  fit_ = gtk_check_button_new_with_mnemonic(text("Scale to _fit the paper").c_str());
  reverse_ = gtk_check_button_new_with_mnemonic(text("Re_verse order").c_str());
  collate_ = gtk_check_button_new_with_mnemonic(text("Colla_te").c_str());
  int row = 4;
  for (GtkWidget* check : {fit_, reverse_, collate_}) gtk_grid_attach(GTK_GRID(grid), check, 1, row++, 1, 1);
  gtk_widget_set_name(fit_, "fit-to-page");
  gtk_widget_set_name(reverse_, "reverse-order");
  gtk_widget_set_name(collate_, "collate");
  for (GtkWidget* control : {perSheet_, orientation_}) g_signal_connect(control, "changed", G_CALLBACK(edited), this);
  for (GtkWidget* control : {fit_, reverse_, collate_}) g_signal_connect(control, "toggled", G_CALLBACK(edited), this);
  showLayout({}, "", false);
  return frameAround(text("Layout"), grid);
}

void PageSetupPane::layoutEdited() {
  if (!showing_ && actions_.layoutChanged) actions_.layoutChanged();
}

GtkWidget* PageSetupPane::popupFor(const page::PageOption& option) {
  GtkListStore* store = gtk_list_store_new(3, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_BOOLEAN);
  int active = -1;
  for (std::size_t i = 0; i < option.choices.size(); ++i) {
    const page::PageChoice& choice = option.choices[i];
    gtk_list_store_insert_with_values(store, nullptr, -1, kText, choice.text.c_str(), kKeyword, choice.keyword.c_str(),
                                      kSensitive, choice.blockedBy ? FALSE : TRUE, -1);
    if (choice.keyword == option.current) active = static_cast<int>(i);
  }
  GtkWidget* combo = gtk_combo_box_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), cell, TRUE);
  gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(combo), cell, "text", kText, "sensitive", kSensitive, nullptr);
  gtk_combo_box_set_active(GTK_COMBO_BOX(combo), active);
  g_signal_connect(combo, "changed", G_CALLBACK(+[](GtkComboBox* box, PageSetupPane* pane) {
                     GtkTreeIter row;
                     if (pane->showing_ || !pane->actions_.choose || !gtk_combo_box_get_active_iter(box, &row)) return;
                     gchar* choice = nullptr;
                     gtk_tree_model_get(gtk_combo_box_get_model(box), &row, kKeyword, &choice, -1);
                     const std::string keyword = static_cast<const char*>(g_object_get_data(G_OBJECT(box), "keyword"));
                     const std::string chosen = choice ? choice : "";
                     g_free(choice);
                     keepAliveUntilIdle(box);
                     pane->actions_.choose(keyword, chosen);
                   }),
                   this);
  return combo;
}

GtkWidget* PageSetupPane::checkboxFor(const page::PageOption& option) {
  GtkWidget* check = gtk_check_button_new_with_label(option.text.c_str());
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), option.current == "True");
  // Dimmed when the other state is ruled out.
  const std::string other = option.current == "True" ? "False" : "True";
  const auto otherChoice = std::ranges::find(option.choices, other, &page::PageChoice::keyword);
  gtk_widget_set_sensitive(check, otherChoice == option.choices.end() || !otherChoice->blockedBy);
  g_signal_connect(check, "toggled", G_CALLBACK(+[](GtkToggleButton* button, PageSetupPane* pane) {
                     if (pane->showing_ || !pane->actions_.choose) return;
                     const std::string keyword = static_cast<const char*>(g_object_get_data(G_OBJECT(button), "keyword"));
                     keepAliveUntilIdle(button);
                     pane->actions_.choose(keyword, gtk_toggle_button_get_active(button) ? "True" : "False");
                   }),
                   this);
  return check;
}

void PageSetupPane::showOptions(const page::PageOptionModel& model) {
  showing_ = true;
  removeChildren(optionsGrid_);
  removeChildren(installedGrid_);
  controls_.clear();
  reasons_.clear();
  int row = 0;
  for (const page::PageOption& option : model.options) {
    const bool checkbox = option.control == page::OptionControl::Checkbox;
    GtkWidget* control = checkbox ? checkboxFor(option) : popupFor(option);
    g_object_set_data_full(G_OBJECT(control), "keyword", g_strdup(option.keyword.c_str()), g_free);
    gtk_widget_set_name(control, option.keyword.c_str());
    if (!checkbox) {
      GtkWidget* caption = captionLabel(option.text + ":");
      gtk_label_set_mnemonic_widget(GTK_LABEL(caption), control);
      gtk_grid_attach(GTK_GRID(optionsGrid_), caption, 0, row, 1, 1);
    }
    gtk_grid_attach(GTK_GRID(optionsGrid_), control, 1, row++, 1, 1);
    GtkWidget* reason = noteLabel();
    gtk_grid_attach(GTK_GRID(optionsGrid_), reason, 1, row++, 1, 1);
    const std::string why = reasonsFor(option, language_);
    setNote(reason, why);
    gtk_widget_set_tooltip_text(control, why.empty() ? nullptr : why.c_str());
    controls_[option.keyword] = control;
    reasons_[option.keyword] = reason;
  }
  row = 0;
  for (const page::PageOption& option : model.installed) {
    const auto current = std::ranges::find(option.choices, option.current, &page::PageChoice::keyword);
    gtk_grid_attach(GTK_GRID(installedGrid_), captionLabel(option.text + ":"), 0, row, 1, 1);
    GtkWidget* value = captionLabel(current != option.choices.end() ? current->text : option.current);
    gtk_widget_set_name(value, option.keyword.c_str());
    gtk_grid_attach(GTK_GRID(installedGrid_), value, 1, row++, 1, 1);
  }
  if (!model.installed.empty()) {
    GtkWidget* note = captionLabel(text("Set by the printer's administrator"));
    gtk_style_context_add_class(gtk_widget_get_style_context(note), "dim-label");
    gtk_grid_attach(GTK_GRID(installedGrid_), note, 0, row, 2, 1);
  }
  gtk_widget_show_all(optionsGrid_);
  gtk_widget_show_all(installedGrid_);
  gtk_widget_set_visible(installedFrame_, !model.installed.empty());
  // A few options never scroll: the window grows with a reason that shows.
  const bool many = model.options.size() + model.installed.size() > 10;
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(root_), GTK_POLICY_NEVER,
                                 many ? GTK_POLICY_AUTOMATIC : GTK_POLICY_NEVER);
  showing_ = false;
}

void PageSetupPane::showLayout(const page::PageLayout& layout, const std::string& rangeText, bool severalCopies) {
  showing_ = true;
  gtk_entry_set_text(GTK_ENTRY(rangeEntry_), rangeText.c_str());
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(rangeText.empty() ? allPages_ : somePages_), TRUE);
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(perSheet_), std::to_string(layout.perSheet).c_str());
  gtk_combo_box_set_active_id(GTK_COMBO_BOX(orientation_), std::string(page::orientationName(layout.orientation)).c_str());
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(fit_), layout.fitToPage);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(reverse_), layout.reverse);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(collate_), layout.collate);
  gtk_widget_set_sensitive(collate_, severalCopies);
  showing_ = false;
}

void PageSetupPane::showRangeProblem(const std::string& words) { setNote(rangeProblem_, words); }

std::string PageSetupPane::rangeText() const {
  if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(allPages_))) return "";
  return gtk_entry_get_text(GTK_ENTRY(rangeEntry_));
}

page::PageLayout PageSetupPane::layoutWithoutPages() const {
  page::PageLayout layout;
  if (const gchar* id = gtk_combo_box_get_active_id(GTK_COMBO_BOX(perSheet_))) layout.perSheet = std::atoi(id);
  if (const gchar* id = gtk_combo_box_get_active_id(GTK_COMBO_BOX(orientation_)))
    layout.orientation = page::orientationNamed(id).value_or(page::Orientation::Portrait);
  layout.fitToPage = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(fit_));
  layout.reverse = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(reverse_));
  layout.collate = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(collate_));
  return layout;
}

GtkWidget* PageSetupPane::optionControl(const std::string& keyword) const {
  const auto found = controls_.find(keyword);
  return found == controls_.end() ? nullptr : found->second;
}

GtkWidget* PageSetupPane::reasonLabel(const std::string& keyword) const {
  const auto found = reasons_.find(keyword);
  return found == reasons_.end() ? nullptr : found->second;
}

}  // namespace pdehost::gtk
