#include <gtest/gtest.h>

#include "common/recording_host.h"
#include "generator/layout.h"
#include "generator/walk.h"

namespace fw {
namespace {

// Counts what a walk emits.
struct CountingSink : WalkSink {
  int thumbnails = 0, rows = 0, areas = 0, textRows = 0;
  void textRow(int) override { ++textRows; }
  void openRow() override { ++rows; }
  void textArea(const TextArea&) override { ++areas; }
  void thumbnail(int) override { ++thumbnails; }
  void closeRow() override {}
};

int FullPageThumbnails(int templ, int rows, int columns) {
  CountingSink sink;
  int cursor = 0;
  WalkPositions(templ, rows, columns, 1 << 20, cursor, sink);
  EXPECT_EQ(cursor, sink.thumbnails);
  return sink.thumbnails;
}

TEST(Layout, ImagesPerPageMatchesTheWalkForEveryTemplateWithinItsLimits) {
  // Every image must reach a gallery page: a full page holds exactly N thumbnails, including
  // the single-row and single-column grids the Layout tab allows.
  for (int t = 1; t <= 12; ++t) {
    for (int r = 1; r <= 7; ++r) {
      for (int k = 1; k <= 7; ++k) {
        const Grid g = ApplyLimits(t, {r, k});
        if (g.rows != r || g.columns != k) continue;  // the tab never lets it stand
        EXPECT_EQ(ImagesPerPage(t, r, k), FullPageThumbnails(t, r, k))
            << "template " << t << ", " << r << " x " << k;
      }
    }
  }
}

TEST(Layout, FormulasOfTheTemplates) {
  EXPECT_EQ(ImagesPerPage(1, 2, 5), 10);
  EXPECT_EQ(ImagesPerPage(2, 4, 5), 14);
  EXPECT_EQ(ImagesPerPage(2, 2, 5), 10);  // not active: a plain grid
  EXPECT_EQ(ImagesPerPage(3, 2, 4), 8);
  EXPECT_EQ(ImagesPerPage(4, 3, 2), 6);
  EXPECT_EQ(ImagesPerPage(9, 3, 4), 10);
  EXPECT_EQ(ImagesPerPage(11, 3, 4), 9);
  EXPECT_EQ(ImagesPerPage(12, 3, 4), 6);
  EXPECT_EQ(ImagesPerPage(kCustomTemplate, 3, 4), 0);
  // The three grids where the text area takes a thumbnail's place.
  EXPECT_EQ(ImagesPerPage(9, 4, 1), 4);
  EXPECT_EQ(ImagesPerPage(6, 4, 1), 3);
  EXPECT_EQ(ImagesPerPage(8, 1, 5), 4);
}

TEST(Layout, PageCountRoundsUpAndReportsAnEmptyTemplate) {
  RecordingHost host;
  EXPECT_EQ(PageCount(1, 2, 5, 25, &host), 3);
  EXPECT_EQ(PageCount(1, 2, 5, 30, &host), 3);
  EXPECT_EQ(PageCount(1, 2, 5, 0, &host), 0);
  EXPECT_EQ(PageCount(kCustomTemplate, 2, 5, 30, &host), 0);
  EXPECT_TRUE(host.calls.empty());

  EXPECT_EQ(PageCount(2, 1, 1, 10, &host), 0);  // 2K + 2R - 4 = 0
  // Outside the limits the formula even turns negative; no page fits either way.
  EXPECT_EQ(PageCount(10, 1, 5, 10, &host), 0);
  EXPECT_EQ(host.texts("message"),
            (std::vector<std::string>{kZeroRowsMessage, kZeroRowsMessage}));
  EXPECT_EQ(PageCount(2, 1, 1, 10, nullptr), 0);
}

TEST(Layout, ChoosingATemplateAppliesItsLimits) {
  EXPECT_EQ(ApplyLimits(3, {7, 4}).rows, 2);
  EXPECT_FALSE(LimitsFor(3).rowsEnabled);
  EXPECT_EQ(ApplyLimits(4, {7, 4}).columns, 2);
  EXPECT_FALSE(LimitsFor(4).columnsEnabled);
  const Grid g = ApplyLimits(10, {1, 1});
  EXPECT_EQ(g.rows, 2);
  EXPECT_EQ(g.columns, 2);
  EXPECT_EQ(ApplyLimits(6, {1, 1}).rows, 2);
  EXPECT_EQ(ApplyLimits(6, {1, 1}).columns, 1);
  EXPECT_EQ(ApplyLimits(8, {1, 1}).columns, 2);
  EXPECT_EQ(ApplyLimits(1, {1, 1}).rows, 1);
  EXPECT_TRUE(LimitsFor(13).rowsEnabled && LimitsFor(13).columnsEnabled);
}

TEST(Layout, PagesLabelTexts) {
  EXPECT_EQ(PagesLabelForTemplate(25, 3), "Images:25\r\n  Pages:3");
  EXPECT_EQ(PagesLabelForRows(25, 3), "Images:25    Pages:3");
  EXPECT_EQ(PagesLabelForColumns(25, 3), "Images:25  Pages:3");
}

TEST(Layout, WalkStopsRightAfterTheLastImage) {
  // Template 3 with K + 1 images: the text row and a partial second row; with K, none.
  CountingSink partial;
  int cursor = 0;
  WalkPositions(3, 2, 4, 5, cursor, partial);
  EXPECT_EQ(partial.textRows, 1);
  EXPECT_EQ(partial.rows, 2);
  EXPECT_EQ(partial.thumbnails, 5);

  CountingSink oneRow;
  cursor = 0;
  WalkPositions(3, 2, 4, 4, cursor, oneRow);
  EXPECT_EQ(oneRow.textRows, 0);
  EXPECT_EQ(oneRow.rows, 1);

  // A page that starts past the last image writes no row at all.
  CountingSink none;
  cursor = 4;
  WalkPositions(1, 2, 5, 4, cursor, none);
  EXPECT_EQ(none.rows, 0);
}

}  // namespace
}  // namespace fw
