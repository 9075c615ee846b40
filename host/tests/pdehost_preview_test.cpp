// `preview FILE.png [SHEET]` as a script runs it: the documents added, the
// layout and the panel's image-quality choices reach the sheet written.
#include <gtest/gtest.h>

#include "pdehost_run.h"
#include "preview_samples.h"
#include "sheet_image.h"
#include "temp_dir.h"

namespace {

using namespace pdehost::preview;

class PreviewCommand : public testing::Test {
 protected:
  std::vector<nlohmann::json> run(const std::string& script) {
    return pdehost_test::runPdeHost(PDEHOST_PROGRAM, dir_.path(), {"--plugin", TINTPANEL_BUNDLE, "--ppd", SAMPLE_PPD},
                                    "panelView\nrestore\n" + script)
        .lines;
  }
  SheetSurface png(const std::string& name) {
    return adoptSurface(cairo_image_surface_create_from_png((dir_.path() / name).c_str()));
  }
  qvx::test::TempDir dir_;
};

TEST_F(PreviewCommand, DrawsTheDocumentsWithTheLayoutAndTheColourChoices) {
  test::writeRedBluePdf(dir_.path() / "shapes.pdf");
  const auto file = [&](const char* name) { return (dir_.path() / name).string(); };
  const auto lines = run("add-document " + file("shapes.pdf") + "\npreview " + file("colour.png") +
                         "\nselect colorModePopup 2\npreview " + file("grey.png") +
                         "\nselect colorModePopup 1\nclick tonerSaveCB\npreview " + file("saved.png") +
                         "\nper-sheet 2\norientation landscape\npreview " + file("two.png") + " 1\npreview " +
                         file("none.png") + " 2\n");
  std::vector<nlohmann::json> previews;
  for (const auto& line : lines) {
    if (line.value("command", "") == "preview") previews.push_back(line);
  }
  ASSERT_EQ(previews.size(), 5u);
  EXPECT_EQ(previews[0]["result"], nlohmann::json({{"file", file("colour.png")}, {"sheet", 1}, {"sheets", 1},
                                                     {"width", 595}, {"height", 842}}));
  EXPECT_GT(test::colouredPixels(png("colour.png").get()), 1000);
  EXPECT_EQ(test::colouredPixels(png("grey.png").get()), 0);
  EXPECT_LT(test::meanDarkness(png("saved.png").get()), 0.8 * test::meanDarkness(png("colour.png").get()));
  // Two per sheet, landscape: the sheet stands upright again.
  EXPECT_EQ(cairo_image_surface_get_width(png("two.png").get()), 595);
  EXPECT_EQ(previews[4].value("ok", true), false);
}

TEST_F(PreviewCommand, ShowsTheTestPageWithoutDocuments) {
  const auto lines = run("preview " + (dir_.path() / "page.png").string() + "\n");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back()["result"]["sheets"], 1) << lines.back();
  EXPECT_GT(test::meanDarkness(png("page.png").get()), 0.5);
}

}  // namespace
