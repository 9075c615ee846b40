// The documents a person chose to print, each checked when it is added: a
// regular file that can be read, of a type that prints, with its pages.
#pragma once

#include <cstddef>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document_type.h"
#include "page_count.h"

namespace pdehost::documents {

struct Document {
  std::filesystem::path path;
  std::string name;  // the file's name, for the list
  DocumentType type = DocumentType::Pdf;
  PageCount pages;
};

enum class RefusalKind { NotAFile, Empty, NotPrintable, Damaged };

struct DocumentRefusal {
  RefusalKind kind;
  std::string words;  // in the language asked for, naming the file
};

struct Inspection {
  std::optional<Document> document;
  std::optional<DocumentRefusal> refusal;
};

// Opens `path` (a regular file only: a folder, a FIFO or a device is refused
// at once), tells its type from its content and counts its pages. Reads the
// whole file for PostScript and text; safe to run off the main thread.
Inspection inspectDocument(const std::filesystem::path& path, std::string_view language);

class DocumentList {
 public:
  void add(Document document) { documents_.push_back(std::move(document)); }
  // False when there is no document at `index` (from 0).
  bool remove(std::size_t index);
  const std::vector<Document>& documents() const { return documents_; }
  bool empty() const { return documents_.empty(); }
  std::vector<std::filesystem::path> paths() const;
  // The pages of the longest document, for checking a page range; none
  // without documents.
  std::optional<int> longestDocument() const;

 private:
  std::vector<Document> documents_;
};

// {"index","file","name","type","pages","estimated"}, as scripts list it.
nlohmann::json documentJson(const Document& document, std::size_t index);

}  // namespace pdehost::documents
