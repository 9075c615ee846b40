#include "document_type.h"

#include <algorithm>
#include <array>

#include "utf8/utf8.h"

namespace pdehost::documents {
namespace {

// The images CUPS' image filters read.
bool isImage(std::string_view head) {
  constexpr std::array<std::string_view, 6> kSignatures = {
      std::string_view("\x89PNG\r\n\x1a\n", 8), "\xFF\xD8\xFF", "GIF87a", "GIF89a", std::string_view("II*\0", 4),
      std::string_view("MM\0*", 4)};
  if (std::ranges::any_of(kSignatures, [&](std::string_view s) { return head.starts_with(s); })) return true;
  // Netpbm: "P1" to "P6" and a blank.
  return head.size() > 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' &&
         (head[2] == ' ' || head[2] == '\n' || head[2] == '\r' || head[2] == '\t');
}

// Control characters that plain text has: tab, line feed, vertical tab, form
// feed, carriage return, escape (printers' text often holds escapes).
bool isTextControl(char c) { return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1b'; }

// UTF-8 with no control characters but those of text; a sequence cut off by
// the end of `head` still counts.
bool isText(std::string_view head) {
  if (head.empty()) return false;
  std::size_t i = 0;
  while (i < head.size()) {
    if ((static_cast<unsigned char>(head[i]) < 0x20 && !isTextControl(head[i])) || head[i] == '\x7f') return false;
    const std::size_t length = qvx::utf8::sequenceLength(head.substr(i));
    if (length == 0) return head.size() - i < 4 && head.size() == kTypeSniffBytes;
    i += length;
  }
  return true;
}

}  // namespace

std::optional<DocumentType> typeFromContent(std::string_view head) {
  // A PDF may have a few bytes of junk before its header.
  if (head.substr(0, 1024).find("%PDF-") != std::string_view::npos) return DocumentType::Pdf;
  if (head.starts_with("%!") || head.starts_with("\xC5\xD0\xD3\xC6") || head.starts_with("\x04%!"))
    return DocumentType::PostScript;
  if (isImage(head)) return DocumentType::Image;
  if (isText(head)) return DocumentType::Text;
  return std::nullopt;
}

std::string_view typeName(DocumentType type) {
  switch (type) {
    case DocumentType::Pdf: return "pdf";
    case DocumentType::PostScript: return "postscript";
    case DocumentType::Text: return "text";
    case DocumentType::Image: return "image";
  }
  return "";
}

}  // namespace pdehost::documents
