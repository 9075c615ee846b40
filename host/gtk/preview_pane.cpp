#include "preview_pane.h"

#include <algorithm>

#include "dialog_texts.h"

namespace pdehost::gtk {

// Wide enough to read a page's headings at one page per sheet.
constexpr int kPaneWidth = 260;
constexpr int kPaneHeight = 340;

struct PreviewPane::Arrival {
  std::weak_ptr<PreviewPane*> pane;
  preview::SheetResult result;
};

PreviewPane::PreviewPane() : self_(std::make_shared<PreviewPane*>(this)) {
  root_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  g_object_ref_sink(root_);
  area_ = gtk_drawing_area_new();
  gtk_widget_set_size_request(area_, kPaneWidth, kPaneHeight);
  g_signal_connect(area_, "draw", G_CALLBACK(draw), this);
  gtk_box_pack_start(GTK_BOX(root_), area_, TRUE, TRUE, 0);

  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  previous_ = gtk_button_new_from_icon_name("go-previous-symbolic", GTK_ICON_SIZE_BUTTON);
  next_ = gtk_button_new_from_icon_name("go-next-symbolic", GTK_ICON_SIZE_BUTTON);
  gtk_widget_set_tooltip_text(previous_, tr("Previous sheet").c_str());
  gtk_widget_set_tooltip_text(next_, tr("Next sheet").c_str());
  counter_ = gtk_label_new("");
  g_signal_connect_swapped(previous_, "clicked", G_CALLBACK(+[](PreviewPane* p) { p->previousSheet(); }), this);
  g_signal_connect_swapped(next_, "clicked", G_CALLBACK(+[](PreviewPane* p) { p->nextSheet(); }), this);
  gtk_box_pack_start(GTK_BOX(row), previous_, FALSE, FALSE, 0);
  gtk_box_set_center_widget(GTK_BOX(row), counter_);
  gtk_box_pack_end(GTK_BOX(row), next_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(root_), row, FALSE, FALSE, 0);

  GtkWidget* note = gtk_label_new(tr("Colours on screen are an approximation of the print.").c_str());
  gtk_label_set_line_wrap(GTK_LABEL(note), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(note), 28);
  gtk_label_set_justify(GTK_LABEL(note), GTK_JUSTIFY_CENTER);
  gtk_style_context_add_class(gtk_widget_get_style_context(note), "dim-label");
  gtk_box_pack_start(GTK_BOX(root_), note, FALSE, FALSE, 0);
  message_ = gtk_label_new("");
  gtk_label_set_line_wrap(GTK_LABEL(message_), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(message_), 28);
  gtk_box_pack_start(GTK_BOX(root_), message_, FALSE, FALSE, 0);

  renderer_ = std::make_unique<preview::PreviewRenderer>([weak = std::weak_ptr(self_)](preview::SheetResult r) {
    // On the renderer's thread: the main loop takes it from here.
    g_main_context_invoke_full(
        nullptr, G_PRIORITY_DEFAULT,
        [](gpointer data) {
          auto* arrival = static_cast<Arrival*>(data);
          if (auto pane = arrival->pane.lock(); pane && *pane) (*pane)->take(std::move(arrival->result));
          return G_SOURCE_REMOVE;
        },
        new Arrival{weak, std::move(r)}, [](gpointer data) { delete static_cast<Arrival*>(data); });
  });
  refreshControls();
}

PreviewPane::~PreviewPane() {
  *self_ = nullptr;
  renderer_.reset();  // joins the renderer's thread
  gtk_widget_destroy(root_);
  g_object_unref(root_);
}

void PreviewPane::showJob(preview::PreviewJob job) {
  job_ = std::move(job);
  ask();
}

void PreviewPane::nextSheet() {
  if (sheet_ + 1 >= sheetCount_) return;
  ++sheet_;
  ask();
}

void PreviewPane::previousSheet() {
  if (sheet_ == 0) return;
  --sheet_;
  ask();
}

void PreviewPane::ask() {
  const int scale = gtk_widget_get_scale_factor(area_);
  const int width = std::max(gtk_widget_get_allocated_width(area_), kPaneWidth) * scale;
  latest_ = renderer_->request({job_, sheet_, width});
  refreshControls();
}

void PreviewPane::take(preview::SheetResult result) {
  if (result.request != latest_) return;
  sheetCount_ = result.sheetCount;
  if (sheet_ >= sheetCount_ && sheetCount_ > 0) {
    // The job shrank under the sheet on show: go to its last sheet.
    sheet_ = sheetCount_ - 1;
    ask();
    return;
  }
  image_ = result.image;
  messageText_ = !result.problem.empty() ? result.problem : result.message;
  refreshControls();
  gtk_widget_queue_draw(area_);
  if (onShown_) onShown_();
}

std::string PreviewPane::counterText() const {
  if (sheetCount_ == 0) return tr("No sheets");
  return trFormat("{} of {}", {std::to_string(sheet_ + 1), std::to_string(sheetCount_)});
}

std::string PreviewPane::shownMessage() const { return messageText_; }

void PreviewPane::refreshControls() {
  gtk_label_set_text(GTK_LABEL(counter_), counterText().c_str());
  gtk_widget_set_sensitive(previous_, sheet_ > 0);
  gtk_widget_set_sensitive(next_, sheet_ + 1 < sheetCount_);
  gtk_label_set_text(GTK_LABEL(message_), messageText_.c_str());
  gtk_widget_set_visible(message_, !messageText_.empty());
}

gboolean PreviewPane::draw(GtkWidget* area, cairo_t* cr, gpointer data) {
  auto* self = static_cast<PreviewPane*>(data);
  cairo_surface_t* image = self->image_.get();
  if (image == nullptr) return FALSE;
  const double width = gtk_widget_get_allocated_width(area), height = gtk_widget_get_allocated_height(area);
  const double imageWidth = cairo_image_surface_get_width(image), imageHeight = cairo_image_surface_get_height(image);
  // The whole sheet, as large as fits, centred, with a thin edge.
  const double scale = std::min((width - 8) / imageWidth, (height - 8) / imageHeight);
  const double x = (width - imageWidth * scale) / 2, y = (height - imageHeight * scale) / 2;
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_rectangle(cr, x - 1, y - 1, imageWidth * scale + 2, imageHeight * scale + 2);
  cairo_fill(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  return FALSE;
}

}  // namespace pdehost::gtk
