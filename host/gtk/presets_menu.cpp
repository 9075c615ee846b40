#include "presets_menu.h"

#include <algorithm>
#include <memory>

#include "dialog_texts.h"
#include "store/preset_store.h"

namespace pdehost::gtk {
namespace {

// A small modal question: `caption` over `field`, Cancel and `confirm`
// (which Return presses unless it destroys something). `read` takes the
// answer from the field while the dialog is still there; a cancelled
// question answers "".
std::string askInDialog(GtkWindow* parent, const char* title, const char* caption, const char* confirm,
                        bool returnConfirms, GtkWidget* field, const std::function<std::string()>& read) {
  GtkWidget* dialog = gtk_dialog_new_with_buttons(tr(title).c_str(), parent, GTK_DIALOG_MODAL, tr("_Cancel").c_str(),
                                                  GTK_RESPONSE_CANCEL, tr(confirm).c_str(), GTK_RESPONSE_OK, nullptr);
  if (returnConfirms) gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_container_set_border_width(GTK_CONTAINER(box), 12);
  GtkWidget* label = gtk_label_new_with_mnemonic(tr(caption).c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), field);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), field, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), box);
  gtk_widget_show_all(dialog);
  const bool confirmed = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
  const std::string answer = confirmed ? read() : "";
  gtk_widget_destroy(dialog);
  return answer;
}

}  // namespace

PresetsMenu::PresetsMenu(GtkWindow* parent, Actions actions) : parent_(parent), actions_(std::move(actions)) {
  button_ = gtk_menu_button_new();
  gtk_widget_set_name(button_, "presets");
  GtkWidget* label = gtk_label_new_with_mnemonic(tr("Pre_sets").c_str());
  gtk_container_add(GTK_CONTAINER(button_), label);
  menu_ = gtk_menu_new();
  gtk_widget_set_name(menu_, "presets-menu");
  gtk_menu_button_set_popup(GTK_MENU_BUTTON(button_), menu_);
  refresh({});
}

GtkWidget* PresetsMenu::addItem(const std::string& label, std::function<void()> activate) {
  GtkWidget* item = gtk_menu_item_new_with_label(label.c_str());
  handlers_.push_back(std::make_unique<std::function<void()>>(std::move(activate)));
  g_signal_connect_swapped(item, "activate",
                           G_CALLBACK(+[](std::function<void()>* call) { (*call)(); }), handlers_.back().get());
  gtk_menu_shell_append(GTK_MENU_SHELL(menu_), item);
  return item;
}

void PresetsMenu::refresh(PresetMenuEntries entries) {
  entries_ = std::move(entries);
  GList* children = gtk_container_get_children(GTK_CONTAINER(menu_));
  for (GList* at = children; at != nullptr; at = at->next) gtk_widget_destroy(GTK_WIDGET(at->data));
  g_list_free(children);
  // A refresh may come from inside one of the items' own handlers: the
  // handlers are kept one refresh longer than their items.
  retired_ = std::move(handlers_);
  handlers_.clear();

  addItem(tr(kDefaultSettingsPreset), [this] { actions_.choose(kDefaultSettingsPreset); });
  GtkWidget* lastUsed = addItem(tr(kLastUsedSettingsPreset), [this] { actions_.choose(kLastUsedSettingsPreset); });
  gtk_widget_set_sensitive(lastUsed, entries_.lastUsedAvailable);
  if (!entries_.names.empty() || !entries_.unusable.empty())
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), gtk_separator_menu_item_new());
  for (const std::string& name : entries_.names) addItem(name, [this, name] { actions_.choose(name); });
  for (const auto& [file, why] : entries_.unusable) {
    GtkWidget* item = addItem(trFormat("{} (unusable)", {file}), [] {});
    gtk_widget_set_sensitive(item, FALSE);
    gtk_widget_set_tooltip_text(item, why.c_str());
  }
  gtk_menu_shell_append(GTK_MENU_SHELL(menu_), gtk_separator_menu_item_new());
  addItem(tr("Save Current Settings as Preset…"), [this] { askName(); });
  GtkWidget* remove = addItem(tr("Delete Preset…"), [this] { askWhichToDelete(); });
  gtk_widget_set_sensitive(remove, !entries_.names.empty());
  gtk_widget_show_all(menu_);
}

void PresetsMenu::saveAs(const std::string& name) {
  const bool taken = std::find(entries_.names.begin(), entries_.names.end(), name) != entries_.names.end();
  if (taken) {
    GtkWidget* ask = gtk_message_dialog_new(parent_, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_OK_CANCEL, "%s",
                                            trFormat("Replace the preset \"{}\"?", {name}).c_str());
    const bool agreed = gtk_dialog_run(GTK_DIALOG(ask)) == GTK_RESPONSE_OK;
    gtk_widget_destroy(ask);
    if (!agreed) return;
  }
  actions_.save(name, taken);
}

void PresetsMenu::askName() {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
  const std::string name = askInDialog(parent_, "Save Preset", "Preset _name:", "_Save", true, entry,
                                       [entry] { return std::string(gtk_entry_get_text(GTK_ENTRY(entry))); });
  if (!name.empty()) saveAs(name);
}

void PresetsMenu::askWhichToDelete() {
  GtkWidget* choice = gtk_combo_box_text_new();
  for (const std::string& name : entries_.names)
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(choice), name.c_str(), name.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(choice), 0);
  const std::string name = askInDialog(parent_, "Delete Preset", "_Preset:", "_Delete", false, choice, [choice] {
    const gchar* id = gtk_combo_box_get_active_id(GTK_COMBO_BOX(choice));
    return std::string(id != nullptr ? id : "");
  });
  if (!name.empty()) actions_.remove(name);
}

}  // namespace pdehost::gtk
