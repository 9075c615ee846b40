// Small printable documents made on the spot for tests and benchmarks.
#pragma once

#include <string>

namespace qvx::test {

// A valid PDF of `pages` A4 pages, each showing its number, with a correct
// cross-reference table.
std::string pdfWithPages(int pages);

// A DSC-conforming PostScript document of `pages` A4 pages.
std::string postScriptWithPages(int pages);

}  // namespace qvx::test
