#include "sample_documents.h"

#include <cstdio>
#include <vector>

namespace qvx::test {

std::string pdfWithPages(int pages) {
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  const auto object = [&](const std::string& body) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
  };
  // 1: catalog, 2: page tree, 3: font, then a page and its contents per page.
  std::string kids;
  for (int i = 0; i < pages; ++i) kids += std::to_string(4 + 2 * i) + " 0 R ";
  object("<< /Type /Catalog /Pages 2 0 R >>");
  object("<< /Type /Pages /Count " + std::to_string(pages) + " /Kids [" + kids + "] >>");
  object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  for (int i = 0; i < pages; ++i) {
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
           std::to_string(5 + 2 * i) + " 0 R >>");
    const std::string text = "BT /F1 48 Tf 100 700 Td (Page " + std::to_string(i + 1) + ") Tj ET";
    object("<< /Length " + std::to_string(text.size()) + " >>\nstream\n" + text + "\nendstream");
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t offset : offsets) {
    char line[24];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string postScriptWithPages(int pages) {
  std::string ps = "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 595 842\n%%Pages: " + std::to_string(pages) +
                   "\n%%EndComments\n%%BeginProlog\n%%EndProlog\n";
  for (int i = 1; i <= pages; ++i) {
    ps += "%%Page: " + std::to_string(i) + " " + std::to_string(i) +
          "\n/Helvetica findfont 48 scalefont setfont 100 700 moveto (Page " + std::to_string(i) + ") show showpage\n";
  }
  return ps + "%%Trailer\n%%EOF\n";
}

}  // namespace qvx::test
