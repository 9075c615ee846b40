// A document's type, told from its first bytes, never from its name: what
// the server's filters can print.
#pragma once

#include <optional>
#include <string_view>

namespace pdehost::documents {

enum class DocumentType { Pdf, PostScript, Text, Image };

// How many bytes typeFromContent wants to see (fewer at the end of a file).
inline constexpr std::size_t kTypeSniffBytes = 64 * 1024;

// The type of a document whose first bytes are `head`; none when nothing
// that prints starts that way (binary data, an empty file, a word
// processor's file). Text is UTF-8 (ASCII included) without the control
// characters of binary data.
std::optional<DocumentType> typeFromContent(std::string_view head);

// "pdf", "postscript", "text", "image": the words of scripts.
std::string_view typeName(DocumentType type);

}  // namespace pdehost::documents
