#include "document_list.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "sample_documents.h"
#include "temp_dir.h"

namespace pdehost::documents {
namespace {

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

struct DocumentRow {
  std::string_view name;
  std::string content;
  std::optional<DocumentType> type;  // none: refused
  int pages = 0;
  bool estimated = false;
  std::optional<RefusalKind> refusal = std::nullopt;
};

class AddingADocument : public testing::TestWithParam<DocumentRow> {};

TEST_P(AddingADocument, GivesItsTypeAndPagesOrTheReason) {
  const DocumentRow& row = GetParam();
  const qvx::test::TempDir dir;
  const Inspection seen = inspectDocument(dir.write(std::string(row.name), row.content), "en");
  if (!row.type) {
    ASSERT_TRUE(seen.refusal);
    EXPECT_EQ(seen.refusal->kind, *row.refusal) << seen.refusal->words;
    EXPECT_NE(seen.refusal->words.find(std::string(row.name)), std::string::npos) << seen.refusal->words;
    return;
  }
  ASSERT_TRUE(seen.document) << seen.refusal->words;
  EXPECT_EQ(seen.document->type, *row.type);
  EXPECT_EQ(seen.document->pages.pages, row.pages);
  EXPECT_EQ(seen.document->pages.estimated, row.estimated);
}

const std::string kDsc = "%!PS-Adobe-3.0\n%%Pages: (atend)\n%%EndComments\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, AddingADocument,
    testing::Values(
        DocumentRow{"three.pdf", qvx::test::pdfWithPages(3), DocumentType::Pdf, 3},
        // The type is in the content, not the name.
        DocumentRow{"report.txt", qvx::test::pdfWithPages(2), DocumentType::Pdf, 2},
        DocumentRow{"two.ps", qvx::test::postScriptWithPages(2), DocumentType::PostScript, 2},
        DocumentRow{"atend.ps", kDsc + "%%Page: 1 1\nshowpage\n%%Trailer\n%%Pages: 4\n%%EOF", DocumentType::PostScript, 4},
        DocumentRow{"nested.ps",
                    kDsc + "%%Page: 1 1\n%%BeginDocument: x.eps\n%%Page: 1 1\n%%Page: 2 2\n%%EndDocument\n"
                           "%%Page: 2 2\r%%Page: 3 3",
                    DocumentType::PostScript, 3},
        DocumentRow{"bare.ps", "%!\n/x 1 def showpage\nshowpage\n", DocumentType::PostScript, 2, true},
        DocumentRow{"notes.txt", repeated("line\n", 130), DocumentType::Text, 3, true},
        DocumentRow{"wide.txt", repeated("x", 81), DocumentType::Text, 1, true},
        DocumentRow{"sheets.txt", "one\fün\fthree", DocumentType::Text, 3, true},
        DocumentRow{"photo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), DocumentType::Image, 1},
        DocumentRow{"scan.jpg", "\xFF\xD8\xFF\xE0", DocumentType::Image, 1},
        DocumentRow{"empty.pdf", "", std::nullopt, 0, false, RefusalKind::Empty},
        DocumentRow{"table.ods", std::string("PK\3\4\0\0binary", 12), std::nullopt, 0, false, RefusalKind::NotPrintable},
        DocumentRow{"zip.txt", "PK\3\4", std::nullopt, 0, false, RefusalKind::NotPrintable},
        DocumentRow{"latin1.txt", "caf\xE9 cr\xE8me", std::nullopt, 0, false, RefusalKind::NotPrintable},
        DocumentRow{"broken.pdf", "%PDF-1.4\nthis is no PDF\n", std::nullopt, 0, false, RefusalKind::Damaged}));

TEST(AddingADocument, RefusesAFolderAndAFifoAtOnce) {
  const qvx::test::TempDir dir;
  const auto fifo = dir.path() / "pipe.pdf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& path : {dir.path(), fifo, dir.path() / "missing.pdf"}) {
    const Inspection seen = inspectDocument(path, "de");
    ASSERT_TRUE(seen.refusal) << path;
    EXPECT_EQ(seen.refusal->kind, RefusalKind::NotAFile);
  }
}

TEST(DocumentList, RemovesByPositionAndKnowsTheLongest) {
  DocumentList list;
  EXPECT_EQ(list.longestDocument(), std::nullopt);
  list.add({"a.pdf", "a.pdf", DocumentType::Pdf, {3, false}});
  list.add({"b.txt", "b.txt", DocumentType::Text, {7, true}});
  EXPECT_EQ(list.longestDocument(), 7);
  EXPECT_FALSE(list.remove(2));
  EXPECT_TRUE(list.remove(1));
  EXPECT_EQ(list.paths(), (std::vector<std::filesystem::path>{"a.pdf"}));
}

}  // namespace
}  // namespace pdehost::documents
