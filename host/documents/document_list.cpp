#include "document_list.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "page_words.h"
#include "toolkit/whole_file.h"

namespace pdehost::documents {
namespace {

using page::pageWords;

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

std::string headOf(int fd) {
  std::string head(kTypeSniffBytes, '\0');
  std::size_t got = 0;
  while (got < head.size()) {
    const ssize_t n = pread(fd, head.data() + got, head.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  head.resize(got);
  return head;
}

Inspection refused(RefusalKind kind, std::string words) { return {std::nullopt, DocumentRefusal{kind, std::move(words)}}; }

}  // namespace

Inspection inspectDocument(const std::filesystem::path& path, std::string_view language) {
  const std::string name = path.filename().string();
  std::string error;
  // Documents may be large; the limit is the server's to set.
  toolkit::ReadRules rules;
  rules.largest = static_cast<std::uintmax_t>(-1);
  const Descriptor file{toolkit::openRegularFile(path, &error, rules)};
  if (file.fd < 0) return refused(RefusalKind::NotAFile, error);
  const std::string head = headOf(file.fd);
  if (head.empty()) return refused(RefusalKind::Empty, pageWords(language, "{}: the file is empty", {path.string()}));
  const auto type = typeFromContent(head);
  if (!type)
    return refused(RefusalKind::NotPrintable,
                   pageWords(language, "{}: only PDF, PostScript, plain text and images can be printed", {path.string()}));
  const auto pages = countPages(file.fd, *type);
  if (!pages) {
    if (*type == DocumentType::Pdf)
      return refused(RefusalKind::Damaged, pageWords(language, "{}: the PDF file is damaged or locked", {path.string()}));
    return refused(RefusalKind::NotAFile, pageWords(language, "{}: cannot be read", {path.string()}));
  }
  return {Document{path, name, *type, *pages}, std::nullopt};
}

bool DocumentList::remove(std::size_t index) {
  if (index >= documents_.size()) return false;
  documents_.erase(documents_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

std::vector<std::filesystem::path> DocumentList::paths() const {
  std::vector<std::filesystem::path> paths;
  for (const Document& document : documents_) paths.push_back(document.path);
  return paths;
}

std::optional<int> DocumentList::longestDocument() const {
  if (documents_.empty()) return std::nullopt;
  return std::ranges::max(documents_, {}, [](const Document& d) { return d.pages.pages; }).pages.pages;
}

nlohmann::json documentJson(const Document& document, std::size_t index) {
  return {{"index", index},
          {"file", document.path.string()},
          {"name", document.name},
          {"type", typeName(document.type)},
          {"pages", document.pages.pages},
          {"estimated", document.pages.estimated}};
}

}  // namespace pdehost::documents
