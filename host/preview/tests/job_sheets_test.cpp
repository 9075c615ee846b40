// Whole jobs through the preview: each type of document read by its own
// library, documents that cannot be shown, page ranges, and the sheet in a
// PNG with the image-quality choices on it.
#include "job_sheets.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <map>

#include "preview_samples.h"
#include "temp_dir.h"

namespace pdehost::preview {
namespace {

PreviewJob jobOf(std::vector<PreviewDocument> documents) {
  PreviewJob job;
  job.documents = std::move(documents);
  job.paper = test::kA4Paper;
  job.ppdPath = SAMPLE_PPD;
  return job;
}

struct TypeCase {
  const char* name;
  DocumentType type;
  void (*write)(const qvx::test::TempDir&, const std::filesystem::path&);
  bool coloured;
};
void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.name; }

class DocumentType_ : public testing::TestWithParam<TypeCase> {};

TEST_P(DocumentType_, IsSniffedReadAndDrawn) {
  if (GetParam().type == DocumentType::Text && access("/usr/sbin/cupsfilter", X_OK) != 0) GTEST_SKIP();
  qvx::test::TempDir dir;
  const auto path = dir.path() / "document";
  GetParam().write(dir, path);
  ASSERT_EQ(sniffDocumentType(path), GetParam().type);

  JobSheets sheets(jobOf({{path, GetParam().type}}));
  ASSERT_EQ(sheets.sheetCount(), 1);
  const RenderedSheet sheet = sheets.render(0, 150);
  EXPECT_EQ(sheet.message, "");
  ASSERT_TRUE(sheet.image);
  EXPECT_EQ(cairo_image_surface_get_height(sheet.image.get()), 212);  // A4's proportions
  EXPECT_GT(test::meanDarkness(sheet.image.get()), 0.05);  // not blank paper
  EXPECT_EQ(test::colouredPixels(sheet.image.get()) > 0, GetParam().coloured);
}

INSTANTIATE_TEST_SUITE_P(
    Types, DocumentType_,
    testing::Values(
        TypeCase{"pdf", DocumentType::Pdf, [](auto&, const auto& p) { test::writeRedBluePdf(p); }, true},
        TypeCase{"postscript", DocumentType::PostScript,
                 [](auto& dir, const auto& p) {
                   dir.write(p.filename(), "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 595 842\n%%Pages: 1\n%%EndComments\n"
                                           "%%Page: 1 1\n1 0 0 setrgbcolor 72 72 300 300 rectfill showpage\n%%EOF\n");
                 },
                 true},
        TypeCase{"png", DocumentType::Image, [](auto&, const auto& p) { test::writeRedBluePng(p); }, true},
        TypeCase{"text", DocumentType::Text,
                 [](auto& dir, const auto& p) { dir.write(p.filename(), "Plain text\nin two lines\n"); }, false}),
    [](const testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.name); });

TEST(UnshowableDocument, TakesOneSheetWithAMessageBesideTheOthers) {
  qvx::test::TempDir dir;
  const auto good = dir.path() / "good.pdf";
  test::writeMarkedPdf(good, 3, test::kA4);
  const auto fifo = dir.path() / "fifo.pdf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::map<std::string, std::string> damaged = {
      {"garbage", "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 9 0 R >>\nendobj\ntrailer <</Root 1 0 R>>\n%%EOF\n"},
      {"empty", ""},
      {"cut", qvx::test::readFile(good).substr(0, 200)},
  };
  std::vector<PreviewDocument> documents = {{good, DocumentType::Pdf}, {fifo, DocumentType::Pdf},
                                            {dir.path() / "missing.pdf", DocumentType::Pdf},
                                            {dir.path(), DocumentType::Image}};
  for (const auto& [name, bytes] : damaged) documents.push_back({dir.write(name + ".pdf", bytes), DocumentType::Pdf});
  documents.push_back({dir.write("damaged.ps", "%!PS-Adobe-3.0\n%%Pages: 1\n%%Page: 1 1\n("), DocumentType::PostScript});

  JobSheets sheets(jobOf(documents));
  ASSERT_EQ(sheets.sheetCount(), 3 + static_cast<int>(documents.size()) - 1);
  EXPECT_EQ(sheets.render(2, 60).message, "");
  for (int sheet = 3; sheet < sheets.sheetCount(); ++sheet) {
    const RenderedSheet rendered = sheets.render(sheet, 60);
    EXPECT_NE(rendered.message.find(" cannot be shown"), std::string::npos) << sheet << ": " << rendered.message;
    ASSERT_TRUE(rendered.image) << sheet;
    EXPECT_EQ(test::meanDarkness(rendered.image.get()), 0) << "sheet " << sheet << " is blank paper";
  }
}

TEST(PageRanges, ChooseSheetsOfEachDocumentAndReverseOrdersTheJob) {
  qvx::test::TempDir dir;
  const auto five = dir.path() / "five.pdf", two = dir.path() / "two.pdf";
  test::writeMarkedPdf(five, 5, test::kA4);
  test::writeMarkedPdf(two, 2, test::kA4);
  PreviewJob job = jobOf({{five, DocumentType::Pdf}, {two, DocumentType::Pdf}});
  job.numberUp = 2;
  job.pageRanges = "2-";
  job.reverseOrder = true;
  // Sheets 2 and 3 of the first document (pages 3-4 and 5), and none of the
  // second's one, last first.
  JobSheets sheets(job);
  ASSERT_EQ(sheets.sheetCount(), 2);
  EXPECT_EQ(sheets.plan(0).pages.at(0).page, 4);
  EXPECT_EQ(sheets.plan(1).pages.at(0).page, 2);
  for (const char* bad : {"0", "3-1", "x", "1,,2", "-"}) {
    job.pageRanges = bad;
    EXPECT_NE(JobSheets(job).problem(), "") << bad;
  }
}

// The sheet as a PNG file, read back: the effects as a person sees them.
TEST(EffectsInPng, GrayscaleMakesEveryPixelGreyAndTonerSaveLightens) {
  qvx::test::TempDir dir;
  test::writeRedBluePdf(dir.path() / "shapes.pdf");
  const JobSheets sheets(jobOf({{dir.path() / "shapes.pdf", DocumentType::Pdf}}));
  auto png = [&](const ImageEffects& effects) {
    RenderedSheet sheet = sheets.render(0, 200);
    applyEffects(sheet.image.get(), effects);
    std::string error;
    EXPECT_TRUE(writePng(sheet.image, dir.path() / "sheet.png", &error)) << error;
    return adoptSurface(cairo_image_surface_create_from_png((dir.path() / "sheet.png").c_str()));
  };
  const SheetSurface colour = png({}), grey = png({.grayscale = true}), saved = png({.tonerSave = true});
  ASSERT_EQ(cairo_surface_status(grey.get()), CAIRO_STATUS_SUCCESS);
  EXPECT_GT(test::colouredPixels(colour.get()), 1000);
  EXPECT_EQ(test::colouredPixels(grey.get()), 0);
  EXPECT_LT(test::meanDarkness(saved.get()), 0.8 * test::meanDarkness(colour.get()));
}

TEST(WritePng, RefusesWhatIsNotARegularFileAndKeepsTheOldFileWhenTheDiskFills) {
  qvx::test::TempDir dir;
  const SheetSurface image = adoptSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 300, 300));
  // Noise, so that the PNG cannot shrink below the limit set further down.
  auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image.get()));
  for (int i = 0; i < 300 * 300; ++i) pixels[i] = static_cast<std::uint32_t>(i) * 2654435761u;
  cairo_surface_mark_dirty(image.get());

  const auto fifo = dir.path() / "fifo.png", link = dir.path() / "link.png", old = dir.path() / "old.png";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.path() / "elsewhere.png", link);
  std::string error;
  EXPECT_FALSE(writePng(image, fifo, &error));  // and returns: nothing waits for a reader
  EXPECT_FALSE(writePng(image, link, &error));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "elsewhere.png"));

  dir.write("old.png", "the old image");
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool written = writePng(image, old, &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(qvx::test::readFile(old), "the old image");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3) << "a partial file was left";

  EXPECT_TRUE(writePng(image, old, &error)) << error;
  EXPECT_EQ(qvx::test::readFile(old).substr(1, 3), "PNG");
}

}  // namespace
}  // namespace pdehost::preview
