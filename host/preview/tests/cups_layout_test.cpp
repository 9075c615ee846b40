// The preview's sheets against the sheets CUPS' own filters make from the
// same job: how many, and where each page lands, which way up and how large.
#include <gtest/gtest.h>
#include <poppler.h>

#include <cmath>
#include <cstdlib>

#include "job_sheets.h"
#include "preview_samples.h"
#include "temp_dir.h"

namespace pdehost::preview {
namespace {

constexpr const char* kCupsFilter = "/usr/sbin/cupsfilter";
constexpr double kPixelsPerPoint = 0.25;
constexpr PageSize kWideA4{842, 595};

struct LayoutCase {
  const char* name;
  int pages;
  PageSize page;
  int numberUp;
  Orientation orientation;
  const char* ranges;
  bool reverse;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.name; }

// The sheet as the paper runs through the printer: turned as CUPS marks it.
SheetSurface turnedForFeed(const SheetSurface& sheet, int feedRotation) {
  if (feedRotation == 0) return sheet;
  const int width = cairo_image_surface_get_width(sheet.get()), height = cairo_image_surface_get_height(sheet.get());
  SheetSurface turned = adoptSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, height, width));
  cairo_t* cr = cairo_create(turned.get());
  cairo_translate(cr, height, 0);
  cairo_rotate(cr, M_PI / 2);  // a quarter clockwise
  cairo_set_source_surface(cr, sheet.get(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return turned;
}

// CUPS' sheet drawn by poppler into an image of the given size.
SheetSurface renderedByPoppler(PopplerPage* page, int width, int height) {
  double pageWidth = 0, pageHeight = 0;
  poppler_page_get_size(page, &pageWidth, &pageHeight);
  SheetSurface image = adoptSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  cairo_t* cr = cairo_create(image.get());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, width / pageWidth, height / pageHeight);
  poppler_page_render_for_printing(page, cr);
  cairo_destroy(cr);
  return image;
}

class CupsLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(CupsLayout, SheetsMatchWhatCupsfilterMakes) {
  if (access(kCupsFilter, X_OK) != 0) GTEST_SKIP() << "no " << kCupsFilter;
  const LayoutCase& c = GetParam();
  qvx::test::TempDir dir;
  const auto input = dir.path() / "in.pdf", output = dir.path() / "out.pdf";
  test::writeMarkedPdf(input, c.pages, c.page);
  // The sample description with margins that differ on every side, so that
  // a margin turned the wrong way shows.
  std::string ppd = qvx::test::readFile(SAMPLE_PPD);
  const std::string area = "*ImageableArea A4/A4: \"12 12 583 830\"";
  ASSERT_NE(ppd.find(area), std::string::npos);
  ppd.replace(ppd.find(area), area.size(), "*ImageableArea A4/A4: \"20 30 580 800\"");
  const auto ppdPath = dir.write("uneven.ppd", ppd);

  std::string command = std::string(kCupsFilter) + " -p '" + ppdPath.string() + "' -m application/vnd.cups-pdf -o PageSize=A4" +
                        " -o number-up=" + std::to_string(c.numberUp);
  if (c.orientation == Orientation::Landscape) command += " -o landscape";
  if (*c.ranges) command += std::string(" -o page-ranges=") + c.ranges;
  if (c.reverse) command += " -o outputorder=reverse";
  command += " '" + input.string() + "' > '" + output.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  GFile* file = g_file_new_for_path(output.c_str());
  PopplerDocument* cups = poppler_document_new_from_gfile(file, nullptr, nullptr, nullptr);
  g_object_unref(file);
  ASSERT_NE(cups, nullptr);

  PreviewJob job;
  job.documents = {{input, DocumentType::Pdf}};
  job.paper = Paper{595, 842, 20, 30, 580, 800, "A4"};
  job.orientation = c.orientation;
  job.numberUp = c.numberUp;
  job.pageRanges = c.ranges;
  job.reverseOrder = c.reverse;
  JobSheets ours(job);
  ASSERT_EQ(ours.sheetCount(), poppler_document_get_n_pages(cups));

  for (int sheet = 0; sheet < ours.sheetCount(); ++sheet) {
    const SheetPlan& plan = ours.plan(sheet);
    const RenderedSheet rendered = ours.render(sheet, static_cast<int>(std::lround(plan.width * kPixelsPerPoint)));
    const SheetSurface fed = turnedForFeed(rendered.image, plan.feedRotation);
    PopplerPage* page = poppler_document_get_page(cups, sheet);
    const SheetSurface theirs = renderedByPoppler(page, cairo_image_surface_get_width(fed.get()),
                                                  cairo_image_surface_get_height(fed.get()));
    g_object_unref(page);
    // Edges blur differently; a misplaced, mis-scaled or turned page differs
    // over a tenth of the sheet or more.
    EXPECT_LT(test::differingShare(fed.get(), theirs.get(), 60), 0.02) << "sheet " << sheet + 1;
  }
  g_object_unref(cups);
}

INSTANTIATE_TEST_SUITE_P(Jobs, CupsLayout,
                         testing::Values(LayoutCase{"two_up", 5, test::kA4, 2, Orientation::Portrait, "", false},
                                         LayoutCase{"four_up", 6, test::kA4, 4, Orientation::Portrait, "", false},
                                         LayoutCase{"range_of_sheets", 7, test::kA4, 2, Orientation::Portrait, "2-3", false},
                                         LayoutCase{"landscape", 2, test::kA4, 1, Orientation::Landscape, "", false},
                                         LayoutCase{"landscape_two_up", 3, test::kA4, 2, Orientation::Landscape, "", false},
                                         LayoutCase{"letter_shrunk_to_a4", 2, test::kLetter, 1, Orientation::Portrait, "", false},
                                         LayoutCase{"six_up_reversed", 8, test::kA4, 6, Orientation::Portrait, "", true},
                                         LayoutCase{"sixteen_up_letter", 17, test::kLetter, 16, Orientation::Portrait, "1", false},
                                         LayoutCase{"letter_two_up", 3, test::kLetter, 2, Orientation::Portrait, "", false},
                                         LayoutCase{"letter_landscape", 2, test::kLetter, 1, Orientation::Landscape, "", false},
                                         LayoutCase{"wide_pages", 2, kWideA4, 1, Orientation::Portrait, "", false},
                                         LayoutCase{"wide_pages_two_up", 3, kWideA4, 2, Orientation::Portrait, "", false},
                                         LayoutCase{"wide_pages_landscape", 2, kWideA4, 1, Orientation::Landscape, "", false},
                                         LayoutCase{"wide_pages_landscape_six_up", 7, kWideA4, 6, Orientation::Landscape, "", false}),
                         [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pdehost::preview
