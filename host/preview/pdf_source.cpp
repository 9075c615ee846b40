#include <poppler.h>

#include "page_source.h"

namespace pdehost::preview {
namespace {

class PdfSource : public PageSource {
 public:
  explicit PdfSource(PopplerDocument* document) : document_(document) {}
  ~PdfSource() override { g_object_unref(document_); }
  PdfSource(const PdfSource&) = delete;
  PdfSource& operator=(const PdfSource&) = delete;

  int pageCount() const override { return poppler_document_get_n_pages(document_); }

  PageSize pageSize(int page) const override {
    PageSize size;
    if (PopplerPage* p = poppler_document_get_page(document_, page)) {
      poppler_page_get_size(p, &size.width, &size.height);
      g_object_unref(p);
    }
    return size;
  }

  void drawPage(int page, cairo_t* cr, double) override {
    // Pages are fetched one at a time and let go at once: a long document
    // keeps no page objects alive between sheets.
    if (PopplerPage* p = poppler_document_get_page(document_, page)) {
      poppler_page_render_for_printing(p, cr);
      g_object_unref(p);
    }
  }

 private:
  PopplerDocument* document_;
};

std::unique_ptr<PageSource> checked(PopplerDocument* document, GError* error, const std::string& what,
                                    std::string* message) {
  if (document == nullptr) {
    if (message) {
      *message = what + " cannot be shown (" + (error ? error->message : "unknown error") + "). It still prints.";
    }
    if (error) g_error_free(error);
    return nullptr;
  }
  if (poppler_document_get_n_pages(document) < 1) {
    g_object_unref(document);
    if (message) *message = what + " cannot be shown (it has no pages). It still prints.";
    return nullptr;
  }
  return std::make_unique<PdfSource>(document);
}

}  // namespace

std::unique_ptr<PageSource> openPdf(const std::filesystem::path& path, std::string* message) {
  GError* error = nullptr;
  GFile* file = g_file_new_for_path(path.c_str());
  PopplerDocument* document = poppler_document_new_from_gfile(file, nullptr, nullptr, &error);
  g_object_unref(file);
  return checked(document, error, "The PDF file " + path.filename().string(), message);
}

std::unique_ptr<PageSource> openPdfBytes(std::string bytes, const std::string& what, std::string* message) {
  GError* error = nullptr;
  auto* copy = new std::string(std::move(bytes));
  GBytes* data = g_bytes_new_with_free_func(copy->data(), copy->size(),
                                            [](gpointer p) { delete static_cast<std::string*>(p); }, copy);
  PopplerDocument* document = poppler_document_new_from_bytes(data, nullptr, &error);
  g_bytes_unref(data);
  return checked(document, error, what, message);
}

}  // namespace pdehost::preview
