// The "Page Setup" pane: the printer's own page options, built from the
// option model (a popup per PickOne, a checkbox per Boolean, choices that
// would conflict dimmed with the reason in words beneath), its installed
// options apart and read-only, and the job's pages and layout. What a
// change does is the dialog's business: the pane calls its actions and is
// then shown the new state.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "page_layout.h"
#include "page_options.h"

namespace pdehost::gtk {

class PageSetupPane {
 public:
  struct Actions {
    // A printer option's choice, by keyword.
    std::function<void(const std::string& keyword, const std::string& choice)> choose;
    // Any of the layout controls, the range text included.
    std::function<void()> layoutChanged;
  };
  PageSetupPane(std::string language, Actions actions);
  PageSetupPane(const PageSetupPane&) = delete;
  PageSetupPane& operator=(const PageSetupPane&) = delete;

  GtkWidget* widget() const { return root_; }

  // Rebuilds the printer's options from `model`.
  void showOptions(const page::PageOptionModel& model);
  // Sets the layout controls; `rangeText` empty means all pages.
  void showLayout(const page::PageLayout& layout, const std::string& rangeText, bool severalCopies);
  // Words under the range field (a refused range), or none.
  void showRangeProblem(const std::string& words);

  // What the person set: the range as typed ("" for all pages) and the rest.
  std::string rangeText() const;
  page::PageLayout layoutWithoutPages() const;

  // The widgets, by option keyword or by role, for people's tools and tests.
  GtkWidget* optionControl(const std::string& keyword) const;
  GtkWidget* reasonLabel(const std::string& keyword) const;
  GtkWidget* rangeEntry() const { return rangeEntry_; }
  GtkWidget* perSheetCombo() const { return perSheet_; }
  GtkWidget* orientationCombo() const { return orientation_; }
  GtkWidget* fitCheck() const { return fit_; }
  GtkWidget* reverseCheck() const { return reverse_; }
  GtkWidget* collateCheck() const { return collate_; }
  GtkWidget* installedBox() const { return installedGrid_; }

 private:
  std::string text(std::string_view english) const;
  GtkWidget* buildLayout();
  GtkWidget* popupFor(const page::PageOption& option);
  GtkWidget* checkboxFor(const page::PageOption& option);
  void layoutEdited();

  std::string language_;
  Actions actions_;
  bool showing_ = false;  // set while the pane itself sets controls
  GtkWidget* root_;
  GtkWidget* optionsGrid_;
  GtkWidget* installedFrame_;
  GtkWidget* installedGrid_;
  GtkWidget* allPages_ = nullptr;
  GtkWidget* somePages_ = nullptr;
  GtkWidget* rangeEntry_ = nullptr;
  GtkWidget* rangeProblem_ = nullptr;
  GtkWidget* perSheet_ = nullptr;
  GtkWidget* orientation_ = nullptr;
  GtkWidget* fit_ = nullptr;
  GtkWidget* reverse_ = nullptr;
  GtkWidget* collate_ = nullptr;
  std::map<std::string, GtkWidget*> controls_;
  std::map<std::string, GtkWidget*> reasons_;
};

}  // namespace pdehost::gtk
