#include "control_accessibility.h"

#include <map>
#include <optional>
#include <string_view>

#include "accessible_text.h"
#include "dialog_texts.h"
#include "toolkit/controls.h"

namespace pdehost::gtk {
namespace {

// The layout gives these no title; the words are the dialog's own.
const std::map<std::string_view, std::string_view> kUntitledNames = {
    {"sampleView", "Sample"},
    {"sampleViewSelectControl", "Sample"},
};

struct Title {
  const RenderedOutlet* title = nullptr;
  std::vector<const RenderedOutlet*> controls;
  std::optional<std::size_t> mnemonic;
};

void collectMnemonics(GtkWidget* widget, GtkWidget* skip, std::string& taken);

void collectChild(GtkWidget* child, gpointer data) {
  auto* state = static_cast<std::pair<GtkWidget*, std::string*>*>(data);
  collectMnemonics(child, state->first, *state->second);
}

// Letters the window's other labels already answer to.
void collectMnemonics(GtkWidget* widget, GtkWidget* skip, std::string& taken) {
  if (widget == skip) return;
  if (GTK_IS_LABEL(widget)) {
    const guint key = gtk_label_get_mnemonic_keyval(GTK_LABEL(widget));
    const gunichar letter = key == GDK_KEY_VoidSymbol ? 0 : gdk_keyval_to_unicode(gdk_keyval_to_lower(key));
    if (letter > 0 && letter < 128) taken += static_cast<char>(letter);
  }
  if (GTK_IS_CONTAINER(widget)) {
    std::pair<GtkWidget*, std::string*> state{skip, &taken};
    gtk_container_forall(GTK_CONTAINER(widget), collectChild, &state);
  }
}

// The notebook page `widget` sits in, or null outside any notebook.
GtkWidget* pageOf(GtkWidget* widget) {
  for (GtkWidget* at = widget; at != nullptr; at = gtk_widget_get_parent(at)) {
    GtkWidget* parent = gtk_widget_get_parent(at);
    if (parent != nullptr && GTK_IS_NOTEBOOK(parent)) return at;
  }
  return nullptr;
}

bool shown(const RenderedOutlet& outlet) { return !outlet.view->isHiddenOrHasHiddenAncestor(); }

// The control that Alt and the title's letter goes to: the first one shown.
const RenderedOutlet* mnemonicTarget(const Title& title) {
  for (const RenderedOutlet* control : title.controls) {
    if (shown(*control)) return control;
  }
  return nullptr;
}

void setName(GtkWidget* widget, const std::string& name) {
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  const gchar* now = atk_object_get_name(accessible);
  if (!name.empty() && (now == nullptr || name != now)) atk_object_set_name(accessible, name.c_str());
}

void setDescription(GtkWidget* widget, const std::string& description) {
  AtkObject* accessible = gtk_widget_get_accessible(widget);
  const gchar* now = atk_object_get_description(accessible);
  if (now == nullptr ? !description.empty() : description != now)
    atk_object_set_description(accessible, description.c_str());
}

// Adding a relation that is already there changes nothing.
void relate(GtkWidget* from, AtkRelationType type, GtkWidget* to, AtkRelationType reverse) {
  AtkObject* source = gtk_widget_get_accessible(from);
  AtkObject* target = gtk_widget_get_accessible(to);
  atk_object_add_relationship(source, type, target);
  atk_object_add_relationship(target, reverse, source);
}

void findToggle(GtkWidget* widget, gpointer found) {
  auto** toggle = static_cast<GtkWidget**>(found);
  if (*toggle != nullptr) return;
  if (GTK_IS_TOGGLE_BUTTON(widget)) {
    *toggle = widget;
  } else if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), findToggle, found);
  }
}

// A combo box takes the focus with a button of its own, which is what a
// screen reader announces: it carries the combo box's name, and the item
// chosen as its description.
GtkWidget* comboButton(GtkWidget* combo) {
  GtkWidget* toggle = nullptr;
  if (GTK_IS_COMBO_BOX(combo)) gtk_container_forall(GTK_CONTAINER(combo), findToggle, &toggle);
  return toggle;
}

std::string textOf(const RenderedOutlet& outlet) {
  if (outlet.view->kind() != toolkit::ViewKind::textField) return {};
  return static_cast<const toolkit::TextField&>(*outlet.view).stringValue();
}

void showTitle(const Title& title) {
  if (!GTK_IS_LABEL(title.title->widget)) return;
  GtkLabel* label = GTK_LABEL(title.title->widget);
  const std::string text = textOf(*title.title);
  if (title.mnemonic) {
    const std::string withLetter = mnemonicLabel(text, title.mnemonic);
    if (!gtk_label_get_use_underline(label) || withLetter != gtk_label_get_label(label))
      gtk_label_set_text_with_mnemonic(label, withLetter.c_str());
  } else if (gtk_label_get_use_underline(label)) {
    gtk_label_set_text(label, text.c_str());
  }
  const RenderedOutlet* target = mnemonicTarget(title);
  GtkWidget* targetWidget = target != nullptr ? target->widget : nullptr;
  if (gtk_label_get_mnemonic_widget(label) != targetWidget) gtk_label_set_mnemonic_widget(label, targetWidget);

  const std::string name = spokenTitle(text);
  for (const RenderedOutlet* control : title.controls) {
    setName(control->widget, name);
    relate(control->widget, ATK_RELATION_LABELLED_BY, title.title->widget, ATK_RELATION_LABEL_FOR);
    if (GtkWidget* button = comboButton(control->widget)) {
      setName(button, name);
      relate(button, ATK_RELATION_LABELLED_BY, title.title->widget, ATK_RELATION_LABEL_FOR);
      const auto& popup = static_cast<const toolkit::PopUpButton&>(*control->view);
      const toolkit::MenuItem* chosen = popup.selectedItem();
      setDescription(button, chosen != nullptr ? chosen->title : "");
    }
  }
}

}  // namespace

void describeControls(const std::vector<RenderedOutlet>& outlets, GtkWidget* panelRoot) {
  std::vector<std::string> names;
  std::map<std::string, const RenderedOutlet*> byName;
  for (const RenderedOutlet& outlet : outlets) {
    names.push_back(outlet.name);
    byName[outlet.name] = &outlet;
  }

  // Each title once, in layout order, with every control it names.
  std::vector<Title> titles;
  std::map<std::string, std::size_t> titleAt;
  const std::vector<TitledControl> links = titledControls(names);
  for (const RenderedOutlet& outlet : outlets) {
    for (const TitledControl& link : links) {
      if (link.title != outlet.name) continue;
      auto [at, added] = titleAt.try_emplace(outlet.name, titles.size());
      if (added) titles.push_back({&outlet, {}, std::nullopt});
      titles[at->second].controls.push_back(byName[link.control]);
    }
  }

  // Letters: first the titles outside the tab view, then each page's from
  // what is left, since only one page shows at a time.
  std::string outside;
  GtkWidget* top = gtk_widget_get_toplevel(panelRoot);
  if (top != panelRoot) collectMnemonics(top, panelRoot, outside);
  auto pick = [](Title& title, std::string& taken) {
    title.mnemonic = shown(*title.title) && mnemonicTarget(title) != nullptr
                         ? pickMnemonic(textOf(*title.title), taken)
                         : std::nullopt;
  };
  for (Title& title : titles) {
    if (pageOf(title.title->widget) == nullptr) pick(title, outside);
  }
  std::map<GtkWidget*, std::string> takenOnPage;
  for (Title& title : titles) {
    GtkWidget* page = pageOf(title.title->widget);
    if (page != nullptr) pick(title, takenOnPage.try_emplace(page, outside).first->second);
  }
  for (const Title& title : titles) showTitle(title);

  // A slider's two ends describe it.
  for (const TitledControl& link : links) {
    if (link.leftTitle.empty() || link.rightTitle.empty()) continue;
    const RenderedOutlet* slider = byName[link.control];
    const RenderedOutlet* left = byName[link.leftTitle];
    const RenderedOutlet* right = byName[link.rightTitle];
    setDescription(slider->widget, rangeDescription(textOf(*left), textOf(*right)));
    relate(slider->widget, ATK_RELATION_DESCRIBED_BY, left->widget, ATK_RELATION_DESCRIPTION_FOR);
    relate(slider->widget, ATK_RELATION_DESCRIBED_BY, right->widget, ATK_RELATION_DESCRIPTION_FOR);
  }

  for (const RenderedOutlet& outlet : outlets) {
    auto untitled = kUntitledNames.find(outlet.name);
    if (untitled != kUntitledNames.end()) setName(outlet.widget, tr(untitled->second));
  }
}

}  // namespace pdehost::gtk
