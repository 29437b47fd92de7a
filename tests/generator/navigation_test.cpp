#include <gtest/gtest.h>

#include <algorithm>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/gallery_page.h"
#include "generator/navigation.h"
#include "generator/page_file.h"
#include "generator/page_hooks.h"

namespace fw {
namespace {

using testing::ExpectLines;
using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;

class NavigationTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
  }
  template <typename Write>
  std::vector<std::string> lines(Write write) {
    PageContext c = context();
    {
      PageFile page(base + "/bar.txt");
      write(page, c);
      page.close();
    }
    return PageLines(base + "/bar.txt");
  }
};

std::string Active(int m) {
  return "    <FONT STYLE=\"font-size: 12px; font-style: italic; font-family: Arial; "
         "color:#FF00FF;\">&nbsp;" +
         std::to_string(m) + "&nbsp;</FONT></TD>";
}
std::string Linked(int m, const std::string& prefix = "") {
  return "    <A href=\"Gallery" + std::to_string(m) +
         ".html\" STYLE=\"text-decoration: none\"><FONT STYLE=\"font-size: 12px; font-style: "
         "italic; font-family: Arial; color:#00FFFF\">&nbsp;" +
         prefix + std::to_string(m) + "&nbsp;</FONT></a></TD>";
}

TEST_F(NavigationTest, SevenPagesThreeButtonsPerRow) {
  g.set("ButtonsPerRow", 3);
  run.pageCount = 7;
  run.page = 5;
  const std::string other = "  <TD BGCOLOR=\"#FF00FF\">", current = "  <TD BGCOLOR=\"#00FFFF\">";
  const std::vector<std::string> expected = {
      "<TABLE ALIGN=\"center\" BORDER=\"1\">",
      "<TR ALIGN=\"center\">",
      other, Linked(1), other, Linked(2), other, Linked(3),
      "</TR></TABLE>",
      "<TABLE ALIGN=\"center\" BORDER=\"1\"><TR ALIGN=\"center\">",
      other, Linked(4), current, Active(5), other, Linked(6),
      "</TR></TABLE>",
      "<TABLE ALIGN=\"center\" BORDER=\"1\"><TR ALIGN=\"center\">",
      other, Linked(7),
      "</TR>",
      "</TABLE>",
  };
  ExpectLines(lines(WriteGalleryNavBar), expected);
}

TEST_F(NavigationTest, PagePrefixStandsRightBeforeTheNumber) {
  g.set("NavPagePrefix", "Page ").set("ButtonsPerRow", 40);
  run.pageCount = 2;
  run.page = 2;
  const std::vector<std::string> bar = lines(WriteGalleryNavBar);
  ASSERT_EQ(bar.size(), 8u);  // one table holds every button
  EXPECT_EQ(bar[3], Linked(1, "Page "));
}

TEST_F(NavigationTest, GalleryPagesCarryBarsOnlyWhenThereAreSeveral) {
  g.set("UseImageShell", 0).set("Rows", 1).set("Columns", 1);
  g.list = {"a.jpg", "b.jpg"};
  const std::string indexLink = "<DIV ALIGN=\"center\"><A HREF=\"index.html\">Index Page</A></DIV>";
  PageContext c = context();
  run.pageCount = 2;
  run.page = 1;
  run.cursor = 0;
  WriteGalleryPage(c);
  std::vector<std::string> page = PageLines(base + "/Gallery1.html");
  EXPECT_EQ(std::count(page.begin(), page.end(), "<TABLE ALIGN=\"center\" BORDER=\"1\">"), 2);
  EXPECT_EQ(std::count(page.begin(), page.end(), indexLink), 2);

  // The bottom index link comes only with the bottom bar; the top one stands alone.
  g.set("ShowBottomGalleryNavRow", 0).set("ShowTopGalleryNavRow", 0);
  run.page = 2;
  run.cursor = 1;
  PageContext without = context();
  WriteGalleryPage(without);
  page = PageLines(base + "/Gallery2.html");
  EXPECT_EQ(std::count(page.begin(), page.end(), indexLink), 1);
  EXPECT_EQ(std::count(page.begin(), page.end(), "<TABLE ALIGN=\"center\" BORDER=\"1\">"), 0);
}

std::string Cell(const char* width, const std::string& href, const std::string& text) {
  return std::string("  <TD WIDTH=\"") + width + "\" BGCOLOR=\"#C0C0C0\" NOWRAP><A HREF=\"" + href +
         "\" STYLE=\"text-decoration: none; font-family: Arial, Helvetica, sans-serif; "
         "font-size: 14px; font-style: italic; font-weight: bold; color: #000080;\">" +
         text;
}

TEST_F(NavigationTest, ImageBarsAtTheEndsOfTheList) {
  g.list = {"a.b.jpg", "a.c.jpg", "last_one.gif"};
  run.pageCount = 3;
  run.page = 2;
  const std::string head =
      "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"10\"><TR "
      "ALIGN=\"CENTER\">";
  auto bar = [&](int cursor, BarPlace place) {
    run.cursor = cursor;
    return lines([place](PageFile& p, PageContext& c) { WriteImageNavBar(p, c, place); });
  };
  // The first image: Back and Next; the top Next cell ends on a line of its own.
  ExpectLines(bar(0, BarPlace::Top),
              {head, Cell("34%", "Gallery2.html", "Back to gallery</A></TD>"),
               Cell("33%", "a.c.html", "Next</A>"), "  </TD>", "</TR></TABLE>", "<P>"});
  ExpectLines(bar(0, BarPlace::Bottom),
              {head, Cell("34%", "Gallery2.html", "Back to gallery</A></TD>"),
               Cell("33%", "a.c.html", "Next</A></TD>"), "</TR></TABLE>", "<P>"});
  // The last image: Previous and Back.
  ExpectLines(bar(2, BarPlace::Top),
              {head, Cell("33%", "a.c.html", "Previous</A></TD>"),
               Cell("34%", "Gallery2.html", "Back to gallery</A></TD>"), "</TR></TABLE>",
               "<P>"});
  // A list of one image: the Back cell alone, linking to the unnumbered only page.
  g.list = {"only.jpg"};
  run.pageCount = 1;
  run.page = 1;
  ExpectLines(bar(0, BarPlace::Bottom),
              {head, Cell("34%", "Gallery.html", "Back to gallery</A></TD>"), "</TR></TABLE>",
               "<P>"});
}

}  // namespace
}  // namespace fw
