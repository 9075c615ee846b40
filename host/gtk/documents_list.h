// The documents to print: a row per document with its name, its pages and a
// remove button; "Add…" opens the desktop's file chooser (a portal on a
// sandboxed desktop) filtered to the types that print, and files dropped on
// the list are added too. Each file is checked and its pages counted on a
// worker thread, so a long document never holds up the window; a refused
// file's reason shows under the list.
#pragma once

#include <gtk/gtk.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document_list.h"

namespace pdehost::gtk {

class DocumentsList {
 public:
  struct Actions {
    // A file was checked (on the main thread again): add it, or show why not.
    std::function<void(documents::Inspection)> inspected;
    std::function<void(std::size_t index)> remove;
  };
  DocumentsList(GtkWindow* parent, std::string language, Actions actions);
  ~DocumentsList();
  DocumentsList(const DocumentsList&) = delete;
  DocumentsList& operator=(const DocumentsList&) = delete;

  GtkWidget* widget() const { return root_; }
  GtkWidget* addButton() const { return addButton_; }
  GtkWidget* listBox() const { return list_; }

  // Shows these documents, in order.
  void show(const std::vector<documents::Document>& documents);
  // Words under the list (a refused file), or none.
  void showProblem(const std::string& words);
  std::string shownProblem() const;

  // Checks `paths` off the main thread and reports each through
  // Actions::inspected, in order; what Add… and a drop end in.
  void addFiles(const std::vector<std::filesystem::path>& paths);
  // Files still being checked.
  int pending() const { return pending_; }

  // "3 pages", "about 2 pages", "1 page" in the list's language.
  std::string pagesText(const documents::PageCount& pages) const;

 private:
  void chooseFiles();
  void finished(unsigned long sequence, documents::Inspection result);
  std::string text(std::string_view english) const;

  GtkWindow* parent_;
  std::string language_;
  Actions actions_;
  GtkWidget* root_;
  GtkWidget* list_;
  GtkWidget* addButton_;
  GtkWidget* problem_;
  int pending_ = 0;
  unsigned long nextSequence_ = 0;
  unsigned long nextReported_ = 0;
  std::map<unsigned long, documents::Inspection> done_;
  // Shared with the workers' results, so that a result arriving after the
  // list is gone is dropped.
  std::shared_ptr<DocumentsList*> self_;
};

}  // namespace pdehost::gtk
