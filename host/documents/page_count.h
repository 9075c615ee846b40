// How many pages a document has, as far as its type tells: counted in a PDF
// or a PostScript file, 1 for an image, estimated for plain text (how it
// breaks into pages is the text filter's choice).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document_type.h"

namespace pdehost::documents {

struct PageCount {
  int pages = 0;
  bool estimated = false;
};

// Reads the open regular file `fd` from its start; the descriptor stays
// open. None when the document cannot be read as its type (a damaged or
// password-locked PDF). Safe to call from any thread.
std::optional<PageCount> countPages(int fd, DocumentType type);

// The parts of countPages that read bytes, for text and PostScript.
class TextPageEstimate {
 public:
  void feed(std::string_view bytes);
  PageCount result() const;

 private:
  long long lines_ = 0;      // full lines on finished pages and this one
  long long pagesDone_ = 0;  // pages ended by a form feed
  int column_ = 0;
  bool pageHasText_ = false;
};

class PostScriptPageCounter {
 public:
  void feed(std::string_view bytes);
  // After the last bytes: reads a last line without a line break.
  void finish();
  PageCount result() const;

 private:
  void line(std::string_view text);
  std::string partial_;
  bool skippingLongLine_ = false;
  int embedded_ = 0;  // depth inside %%BeginDocument
  std::optional<int> declared_;
  int pageComments_ = 0;
  int showpages_ = 0;
};

}  // namespace pdehost::documents
