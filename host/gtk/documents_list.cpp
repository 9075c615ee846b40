#include "documents_list.h"

#include "page_setup_texts.h"

namespace pdehost::gtk {
namespace {

// The types that print, by the names the desktop's chooser knows.
constexpr const char* kPrintableTypes[] = {"application/pdf", "application/postscript", "text/plain", "image/png",
                                           "image/jpeg", "image/gif", "image/tiff", "image/x-portable-anymap"};

// One file's check, run on a worker thread.
struct Check {
  std::filesystem::path path;
  std::string language;
  std::shared_ptr<DocumentsList*> list;
  unsigned long sequence;
  documents::Inspection result;
};

std::vector<std::filesystem::path> pathsFromUris(gchar** uris) {
  std::vector<std::filesystem::path> paths;
  for (gchar** uri = uris; uri && *uri; ++uri) {
    if (gchar* path = g_filename_from_uri(*uri, nullptr, nullptr)) {
      paths.emplace_back(path);
      g_free(path);
    }
  }
  return paths;
}

}  // namespace

DocumentsList::DocumentsList(GtkWindow* parent, std::string language, Actions actions)
    : parent_(parent), language_(std::move(language)), actions_(std::move(actions)),
      self_(std::make_shared<DocumentsList*>(this)) {
  root_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_widget_set_name(root_, "documents-pane");
  GtkWidget* header = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  GtkWidget* title = gtk_label_new(text("Documents").c_str());
  gtk_label_set_xalign(GTK_LABEL(title), 0);
  addButton_ = gtk_button_new_with_mnemonic(text("_Add…").c_str());
  gtk_widget_set_name(addButton_, "add-document");
  gtk_box_pack_start(GTK_BOX(header), title, TRUE, TRUE, 0);
  gtk_box_pack_end(GTK_BOX(header), addButton_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(root_), header, FALSE, FALSE, 0);

  list_ = gtk_list_box_new();
  gtk_widget_set_name(list_, "document-list");
  gtk_list_box_set_selection_mode(GTK_LIST_BOX(list_), GTK_SELECTION_NONE);
  GtkWidget* placeholder = gtk_label_new(text("No documents: Print prints a test page. Add documents or drop them here.").c_str());
  gtk_label_set_line_wrap(GTK_LABEL(placeholder), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(placeholder), 40);
  gtk_style_context_add_class(gtk_widget_get_style_context(placeholder), "dim-label");
  gtk_widget_set_margin_top(placeholder, 12);
  gtk_widget_set_margin_bottom(placeholder, 12);
  gtk_widget_show(placeholder);
  gtk_list_box_set_placeholder(GTK_LIST_BOX(list_), placeholder);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(scrolled), 90);
  gtk_container_add(GTK_CONTAINER(scrolled), list_);
  atk_object_set_name(gtk_widget_get_accessible(scrolled), text("Documents").c_str());
  atk_object_set_name(gtk_widget_get_accessible(list_), text("Documents").c_str());
  gtk_box_pack_start(GTK_BOX(root_), scrolled, TRUE, TRUE, 0);

  problem_ = gtk_label_new("");
  gtk_widget_set_name(problem_, "document-problem");
  gtk_label_set_xalign(GTK_LABEL(problem_), 0);
  gtk_label_set_line_wrap(GTK_LABEL(problem_), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(problem_), 48);
  gtk_widget_set_no_show_all(problem_, TRUE);
  gtk_box_pack_start(GTK_BOX(root_), problem_, FALSE, FALSE, 0);

  g_signal_connect_swapped(addButton_, "clicked", G_CALLBACK(+[](DocumentsList* list) { list->chooseFiles(); }), this);

  // Files dropped on the list, from a file manager.
  gtk_drag_dest_set(root_, GTK_DEST_DEFAULT_ALL, nullptr, 0, GDK_ACTION_COPY);
  gtk_drag_dest_add_uri_targets(root_);
  g_signal_connect(root_, "drag-data-received",
                   G_CALLBACK(+[](GtkWidget*, GdkDragContext*, gint, gint, GtkSelectionData* data, guint, guint,
                                  DocumentsList* list) {
                     gchar** uris = gtk_selection_data_get_uris(data);
                     list->addFiles(pathsFromUris(uris));
                     g_strfreev(uris);
                   }),
                   this);
}

DocumentsList::~DocumentsList() { *self_ = nullptr; }

std::string DocumentsList::text(std::string_view english) const { return pageSetupText(language_, english); }

std::string DocumentsList::pagesText(const documents::PageCount& pages) const {
  if (pages.pages == 1) return text(pages.estimated ? "about 1 page" : "1 page");
  return pageSetupText(language_, pages.estimated ? "about {} pages" : "{} pages", {std::to_string(pages.pages)});
}

void DocumentsList::show(const std::vector<documents::Document>& documents) {
  GList* rows = gtk_container_get_children(GTK_CONTAINER(list_));
  for (GList* row = rows; row != nullptr; row = row->next) gtk_widget_destroy(GTK_WIDGET(row->data));
  g_list_free(rows);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    const documents::Document& document = documents[i];
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
    gtk_container_set_border_width(GTK_CONTAINER(row), 4);
    GtkWidget* name = gtk_label_new(document.name.c_str());
    gtk_label_set_xalign(GTK_LABEL(name), 0);
    gtk_label_set_ellipsize(GTK_LABEL(name), PANGO_ELLIPSIZE_MIDDLE);
    gtk_label_set_width_chars(GTK_LABEL(name), 18);
    gtk_widget_set_tooltip_text(name, document.path.c_str());
    GtkWidget* pages = gtk_label_new(pagesText(document.pages).c_str());
    gtk_style_context_add_class(gtk_widget_get_style_context(pages), "dim-label");
    GtkWidget* remove = gtk_button_new_from_icon_name("list-remove-symbolic", GTK_ICON_SIZE_BUTTON);
    gtk_widget_set_tooltip_text(remove, text("Remove").c_str());
    atk_object_set_name(gtk_widget_get_accessible(remove),
                        pageSetupText(language_, "Remove {}", {document.name}).c_str());
    g_object_set_data(G_OBJECT(remove), "index", GSIZE_TO_POINTER(i));
    g_signal_connect(remove, "clicked", G_CALLBACK(+[](GtkWidget* button, DocumentsList* list) {
                       if (list->actions_.remove)
                         list->actions_.remove(GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(button), "index")));
                     }),
                     this);
    gtk_box_pack_start(GTK_BOX(row), name, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(row), pages, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), remove, FALSE, FALSE, 0);
    gtk_list_box_insert(GTK_LIST_BOX(list_), row, -1);
  }
  gtk_widget_show_all(list_);
}

void DocumentsList::showProblem(const std::string& words) {
  gtk_label_set_text(GTK_LABEL(problem_), words.c_str());
  gtk_widget_set_visible(problem_, !words.empty());
}

std::string DocumentsList::shownProblem() const { return gtk_label_get_text(GTK_LABEL(problem_)); }

void DocumentsList::addFiles(const std::vector<std::filesystem::path>& paths) {
  for (const auto& path : paths) {
    ++pending_;
    auto* check = new Check{path, language_, self_, nextSequence_++, {}};
    GTask* task = g_task_new(nullptr, nullptr,
                             +[](GObject*, GAsyncResult* result, gpointer) {
                               auto* done = static_cast<Check*>(g_task_get_task_data(G_TASK(result)));
                               if (DocumentsList* list = *done->list) list->finished(done->sequence, std::move(done->result));
                             },
                             nullptr);
    g_task_set_task_data(task, check, +[](gpointer data) { delete static_cast<Check*>(data); });
    g_task_run_in_thread(task, +[](GTask*, gpointer, gpointer data, GCancellable*) {
      auto* work = static_cast<Check*>(data);
      work->result = documents::inspectDocument(work->path, work->language);
    });
    g_object_unref(task);
  }
}

void DocumentsList::finished(unsigned long sequence, documents::Inspection result) {
  // Checks end in any order; they are reported in the order they were asked.
  done_.emplace(sequence, std::move(result));
  while (!done_.empty() && done_.begin()->first == nextReported_) {
    documents::Inspection next = std::move(done_.begin()->second);
    done_.erase(done_.begin());
    ++nextReported_;
    --pending_;
    if (actions_.inspected) actions_.inspected(std::move(next));
  }
}

void DocumentsList::chooseFiles() {
  GtkFileChooserNative* chooser = gtk_file_chooser_native_new(
      text("Add Documents").c_str(), parent_, GTK_FILE_CHOOSER_ACTION_OPEN, text("_Open").c_str(), text("_Cancel").c_str());
  gtk_file_chooser_set_select_multiple(GTK_FILE_CHOOSER(chooser), TRUE);
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, text("PDF, PostScript, text and images").c_str());
  for (const char* type : kPrintableTypes) gtk_file_filter_add_mime_type(filter, type);
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
  if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    std::vector<std::filesystem::path> paths;
    GSList* files = gtk_file_chooser_get_filenames(GTK_FILE_CHOOSER(chooser));
    for (GSList* file = files; file != nullptr; file = file->next) {
      paths.emplace_back(static_cast<const char*>(file->data));
      g_free(file->data);
    }
    g_slist_free(files);
    addFiles(paths);
  }
  g_object_unref(chooser);
}

}  // namespace pdehost::gtk
