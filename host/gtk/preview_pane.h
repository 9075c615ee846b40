// The preview pane of the print dialog: the sheet on show, drawn as it will
// print, with buttons to the previous and next sheet, the sheet's number
// ("3 of 12"), a note that colours are an approximation, and the message of
// a document that cannot be shown. Sheets are rendered off the main loop;
// each new job or sheet asked for replaces the one still rendering.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

#include "preview_renderer.h"

namespace pdehost::gtk {

class PreviewPane {
 public:
  PreviewPane();
  ~PreviewPane();
  PreviewPane(const PreviewPane&) = delete;
  PreviewPane& operator=(const PreviewPane&) = delete;

  GtkWidget* widget() const { return root_; }

  // Shows `job`, staying on the sheet on show when the job still has it.
  void showJob(preview::PreviewJob job);
  void nextSheet();
  void previousSheet();

  // What the pane shows, for people and tests.
  int sheet() const { return sheet_; }
  int sheetCount() const { return sheetCount_; }
  std::string counterText() const;
  std::string shownMessage() const;
  // The image on show; null before the first sheet arrives.
  cairo_surface_t* shownImage() const { return image_.get(); }
  // Called on the main loop each time a sheet is on show.
  void setOnShown(std::function<void()> onShown) { onShown_ = std::move(onShown); }

 private:
  struct Arrival;
  void ask();
  void take(preview::SheetResult result);
  void refreshControls();
  static gboolean draw(GtkWidget* area, cairo_t* cr, gpointer self);

  GtkWidget* root_ = nullptr;
  GtkWidget* area_ = nullptr;
  GtkWidget* previous_ = nullptr;
  GtkWidget* next_ = nullptr;
  GtkWidget* counter_ = nullptr;
  GtkWidget* message_ = nullptr;

  preview::PreviewJob job_;
  int sheet_ = 0;
  int sheetCount_ = 0;
  std::uint64_t latest_ = 0;
  preview::SheetSurface image_;
  std::string messageText_;
  std::function<void()> onShown_;
  // Shared with results on their way to the main loop: they find it empty
  // once the pane is gone.
  std::shared_ptr<PreviewPane*> self_;
  std::unique_ptr<preview::PreviewRenderer> renderer_;
};

}  // namespace pdehost::gtk
