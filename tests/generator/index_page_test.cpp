#include <gtest/gtest.h>

#include <algorithm>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/framing.h"
#include "generator/index_page.h"
#include "generator/page_hooks.h"

namespace fw {
namespace {

using testing::ExpectLines;
using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;

class IndexPageTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
  }
  void gallery(int pages, int perPage, int count) {
    run.pageCount = pages;
    run.imagesPerPage = perPage;
    g.list.clear();
    for (int i = 1; i <= count; ++i) g.list.push_back("p" + std::to_string(i) + ".jpg");
  }
  std::vector<std::string> write(const SampleDraw& draw = [](int) { return 0; }) {
    PageContext c = context();
    WriteIndexPage(c, draw);
    return PageLines(base + "/index.html");
  }
};

const std::string kTableStart =
    "<TABLE BGCOLOR=\"#008080\" BORDER=\"1\" CELLSPACING=\"0\" ALIGN=\"CENTER\">";

TEST(IndexGeometry, CellsPerRowRowFigureAndHeight) {
  struct Case {
    int pages, w, f, h;
  };
  for (const Case& c : std::vector<Case>{{0, 5, 0, 50},
                                         {5, 5, 2, 50},
                                         {10, 5, 2, 50},
                                         {11, 5, 3, 50},
                                         {12, 5, 3, 50},
                                         {30, 6, 6, 40},
                                         {43, 8, 6, 40},
                                         {42, 7, 6, 40},
                                         {100, 8, 13, 35}}) {
    const IndexGeometry geo = IndexGeometryFor(c.pages);
    EXPECT_EQ(geo.cellsPerRow, c.w) << c.pages;
    EXPECT_EQ(geo.rowFigure, c.f) << c.pages;
    EXPECT_EQ(geo.thumbnailHeight, c.h) << c.pages;
  }
}

TEST_F(IndexPageTest, OnePageGalleryWholePage) {
  gallery(1, 10, 3);
  g.setSection("Index Header", "Welcome\r\n");
  const std::vector<std::string> expected = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>Picture Gallery Index</TITLE>",
      "",
      "</HEAD>",
      GalleryBodyTag(ReadSettings(g)),
      "Welcome",
      "",
      "<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">Total images: 3<BR>Total pages: "
      "1</FONT></DIV>",
      "<HR WIDTH=\"350\">",
      kTableStart,
      "<TR ALIGN=\"CENTER\">",
      "  <TD>",
      "    <A href=\"Gallery.html\" STYLE=\"text-decoration: none\">",
      // Draw 0 picks place N of the page; past the list it falls back to the last picture.
      "    <IMG src=\"thumbs/Thumb-p3.jpg\" ALIGN=\"MIDDLE\" border=\"0\" HEIGHT=\"50\"><BR>",
      "    <FONT FACE=\"MS Sans Serif\" size=\"1\"></FONT>",
      "    </a>",
      "  </TD>",
      "</TR></TABLE>",
      "<HR WIDTH=\"350\">",
      CreditBannerLine(),
      "",
      "</body>",
      "</HTML>",
  };
  ExpectLines(write(), expected);
  EXPECT_EQ(host.texts("status"), std::vector<std::string>{"Writing Index Page"});
}

// The row-break lines of an index page, in order.
std::vector<std::string> Breaks(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (std::size_t i = 12; i < lines.size(); ++i)
    if (lines[i].rfind("</TR>", 0) == 0 || lines[i] == kTableStart) out.push_back(lines[i]);
  return out;
}

TEST_F(IndexPageTest, ShortLastRowStandsInATableOfItsOwn) {
  gallery(12, 1, 12);
  std::vector<std::string> lines = write();
  ExpectLines(Breaks(lines), {"</TR><TR ALIGN=\"CENTER\">", "</TR></TABLE>", kTableStart,
                              "</TR></TABLE>"});
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "  <TD>"), 12);

  gallery(10, 1, 10);
  ExpectLines(Breaks(write()), {"</TR><TR ALIGN=\"CENTER\">", "</TR></TABLE>"});

  gallery(30, 1, 30);
  lines = write();
  EXPECT_EQ(Breaks(lines).size(), 5u);  // four plain breaks and the end
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "    <IMG src=\"thumbs/Thumb-p1.jpg\" ALIGN=\"MIDDLE\" border=\"0\" "
                      "HEIGHT=\"40\"><BR>"),
            lines.end());

  gallery(43, 1, 43);
  const std::vector<std::string> breaks = Breaks(write());
  ASSERT_EQ(breaks.size(), 7u);  // four plain breaks, then the sixth row's own table
  EXPECT_EQ(breaks[4], "</TR></TABLE>");
  EXPECT_EQ(breaks[5], kTableStart);
}

TEST_F(IndexPageTest, SampleIsOneOfThePagesOwnPictures) {
  gallery(3, 10, 23);
  std::vector<int> draws = {9, 0, 7};
  std::size_t next = 0;
  std::vector<int> asked;
  const std::vector<std::string> lines = write([&](int n) {
    asked.push_back(n);
    return draws[next++];
  });
  EXPECT_EQ(asked, (std::vector<int>{10, 10, 10}));
  std::vector<std::string> samples;
  for (const std::string& l : lines)
    if (l.rfind("    <IMG src=\"thumbs/", 0) == 0) samples.push_back(l.substr(21, l.find('"', 21) - 21));
  // Page 1: place 10 - 9 = 1; page 2: place 20; page 3: place 30 - 7 = 23, the last picture.
  EXPECT_EQ(samples, (std::vector<std::string>{"Thumb-p1.jpg", "Thumb-p20.jpg", "Thumb-p23.jpg"}));
  EXPECT_EQ(lines[7],
            "<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">Total images: 23<BR>Total "
            "pages: 3</FONT></DIV>");
}

TEST_F(IndexPageTest, ClockDrawStaysOnThePage) {
  gallery(2, 4, 8);
  for (int round = 0; round < 20; ++round) {
    const std::vector<std::string> lines = write({});
    std::vector<std::string> cells;
    for (const std::string& l : lines)
      if (l.rfind("    <IMG src=\"", 0) == 0) cells.push_back(l);
    ASSERT_EQ(cells.size(), 2u);
    const int first = std::stoi(cells[0].substr(cells[0].find("Thumb-p") + 7));
    const int second = std::stoi(cells[1].substr(cells[1].find("Thumb-p") + 7));
    EXPECT_TRUE(first >= 1 && first <= 4) << first;
    EXPECT_TRUE(second >= 5 && second <= 8) << second;
  }
}

TEST_F(IndexPageTest, DisabledPageLinksAndPagePrefix) {
  gallery(2, 1, 2);
  g.set("DisablePageLinks", 1).set("NavPagePrefix", "Page");
  const std::vector<std::string> lines = write();
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("<A href") != l.npos; }),
            0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "    </a>"), 0);
  EXPECT_EQ(lines[13], "    <FONT FACE=\"MS Sans Serif\" size=\"1\">Page1</FONT>");
}

TEST_F(IndexPageTest, NoPagesGivesAnEmptyTable) {
  gallery(0, 0, 5);
  const std::vector<std::string> lines = write();
  EXPECT_EQ(lines[7],
            "<DIV ALIGN=\"center\"><FONT FACE=\"Verdana\" SIZE=\"2\">Total images: 5<BR>Total "
            "pages: 0</FONT></DIV>");
  EXPECT_EQ(lines[10], "<TR ALIGN=\"CENTER\">");
  EXPECT_EQ(lines[11], "</TR></TABLE>");
}

}  // namespace
}  // namespace fw
