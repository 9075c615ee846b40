// The print dialog's Presets menu: "Default Settings", "Last Used
// Settings", the person's presets by name (unusable files dimmed, with the
// reason as their tooltip), then "Save Current Settings as Preset…" and
// "Delete Preset…", which ask for a name in a small dialog of their own.
// What the entries do is the dialog's business: they call its actions.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pdehost::gtk {

struct PresetMenuEntries {
  std::vector<std::string> names;                            // the person's presets
  std::vector<std::pair<std::string, std::string>> unusable;  // file, why
  bool lastUsedAvailable = false;
};

class PresetsMenu {
 public:
  struct Actions {
    std::function<void(const std::string& name)> choose;
    std::function<void(const std::string& name, bool replace)> save;
    std::function<void(const std::string& name)> remove;
  };
  PresetsMenu(GtkWindow* parent, Actions actions);
  PresetsMenu(const PresetsMenu&) = delete;
  PresetsMenu& operator=(const PresetsMenu&) = delete;

  GtkWidget* button() const { return button_; }
  GtkWidget* menu() const { return menu_; }
  void refresh(PresetMenuEntries entries);

  // What the two naming dialogs end in, for people and tests: a name that
  // is taken is replaced only after the person agreed.
  void saveAs(const std::string& name);

 private:
  void askName();
  void askWhichToDelete();
  GtkWidget* addItem(const std::string& label, std::function<void()> activate);

  GtkWindow* parent_;
  Actions actions_;
  PresetMenuEntries entries_;
  GtkWidget* button_;
  GtkWidget* menu_;
  std::vector<std::unique_ptr<std::function<void()>>> handlers_;
  std::vector<std::unique_ptr<std::function<void()>>> retired_;
};

}  // namespace pdehost::gtk
