#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/framing.h"
#include "generator/gallery_page.h"
#include "generator/page_hooks.h"

namespace fw {
namespace {

using testing::Between;
using testing::ExpectLines;
using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;

const char* const kMargins =
    " leftmargin=\"0\" topmargin=\"0\" rightmargin=\"0\" bottommargin=\"0\" marginwidth=\"0\" "
    "marginheight=\"0\"";

std::string Name(int i) { return "p" + std::to_string(i) + ".jpg"; }

// The expected rows of a thumbnail table, built from the page's fragments.
struct Table {
  std::vector<std::string> lines;
  int next = 1;
  std::string back = "#000080";

  Table& open() { return add("<TR ALIGN=\"CENTER\">"); }
  Table& close() { return add("</TR>"); }
  Table& thumbs(int n) {
    for (int k = 0; k < n; ++k, ++next) {
      add("  <TD ALIGN=\"CENTER\">");
      add("    <A href=\"images/" + Name(next) + "\">");
      add("    <IMG src=\"thumbs/Thumb-p" + std::to_string(next) +
          ".jpg\" border=\"0\" height=\"90\" width=\"120\"></a>");
      add("  </TD>");
    }
    return *this;
  }
  Table& area(const std::string& spans, const std::string& text) {
    add("  <TD " + spans + " BGCOLOR=\"" + back + "\">");
    add(text);
    return add("  </TD>");
  }
  Table& textRow(int k) {
    add("<TR><TD colspan=\"" + std::to_string(k) + "\" BGCOLOR=\"" + back + "\">");
    add("Third text");
    return add("</TD></TR>");
  }
  Table& add(const std::string& l) {
    lines.push_back(l);
    return *this;
  }
};

class GalleryPageTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
    g.set("UseImageShell", 0).set("IncIndexLink", 0);
    g.setSection("Gallery Text3", "Third text").setSection("Gallery Text4", "Fourth text");
  }
  void images(int n) {
    g.list.clear();
    for (int i = 1; i <= n; ++i) g.list.push_back(Name(i));
  }
  std::vector<std::string> write(int page = 1, int pages = 1, int cursor = 0) {
    run.page = page;
    run.pageCount = pages;
    run.cursor = cursor;
    PageContext c = context();
    WriteGalleryPage(c);
    return PageLines(base + "/Gallery" + (pages == 1 ? "" : std::to_string(page)) + ".html");
  }
  std::vector<std::string> table(int page = 1, int pages = 1, int cursor = 0) {
    return Between(write(page, pages, cursor), "<TABLE ALIGN=\"CENTER\"", "</TABLE>");
  }
};

TEST_F(GalleryPageTest, EveryTemplateActiveAndInactive) {
  struct Case {
    int templ, rows, columns, count;
    std::function<void(Table&)> rows_;
  };
  const std::string s3 = "Third text", s4 = "Fourth text";
  const std::vector<Case> cases = {
      {1, 2, 3, 6, [](Table& t) { t.open().thumbs(3).close().open().thumbs(3).close(); }},
      {2, 4, 5, 14,
       [&](Table& t) {
         t.open().thumbs(5).close();
         t.open().thumbs(1).area("rowspan=\"2\" colspan=\"3\"", s3).thumbs(1).close();
         t.open().thumbs(2).close().open().thumbs(5).close();
       }},
      {2, 2, 3, 6, [](Table& t) { t.open().thumbs(3).close().open().thumbs(3).close(); }},
      {3, 2, 3, 6,
       [](Table& t) { t.open().thumbs(3).close().textRow(3).open().thumbs(3).close(); }},
      {3, 2, 3, 4,
       [](Table& t) { t.open().thumbs(3).close().textRow(3).open().thumbs(1).close(); }},
      {3, 2, 3, 3, [](Table& t) { t.open().thumbs(3).close(); }},
      {4, 3, 2, 6,
       [&](Table& t) {
         t.open().thumbs(1).area("rowspan=\"3\"", s3).thumbs(1).close();
         t.open().thumbs(2).close().open().thumbs(2).close();
       }},
      {5, 3, 3, 7,
       [&](Table& t) {
         t.open().thumbs(3).close();
         t.open().thumbs(1).area("rowspan=\"1\" colspan=\"2\"", s3).close();
         t.open().thumbs(3).close();
       }},
      {5, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {6, 4, 3, 8,
       [&](Table& t) {
         t.open().thumbs(3).close();
         t.open().area("rowspan=\"2\" colspan=\"2\"", s3).thumbs(1).close();
         t.open().thumbs(1).close().open().thumbs(3).close();
       }},
      {6, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {7, 3, 3, 7,
       [&](Table& t) {
         t.open().thumbs(3).close();
         t.open().thumbs(1).area("rowspan=\"2\" colspan=\"1\"", s3).thumbs(1).close();
         t.open().thumbs(2).close();
       }},
      {7, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {8, 3, 3, 7,
       [&](Table& t) {
         t.open().thumbs(1).area("rowspan=\"2\" colspan=\"1\"", s3).thumbs(1).close();
         t.open().thumbs(2).close().open().thumbs(3).close();
       }},
      {8, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {9, 3, 4, 10,
       [&](Table& t) {
         t.open().thumbs(1).area("colspan=\"2\"", s3).thumbs(1).close();
         t.open().thumbs(4).close().open().thumbs(4).close();
       }},
      {9, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {10, 3, 4, 8,
       [&](Table& t) {
         t.open().thumbs(1).area("colspan=\"2\"", s3).thumbs(1).close();
         t.open().thumbs(4).close();
         t.open().thumbs(1).area("colspan=\"2\"", s4).thumbs(1).close();
       }},
      {10, 3, 4, 3,  // a short last page: no Text4 area
       [&](Table& t) {
         t.open().thumbs(1).area("colspan=\"2\"", s3).thumbs(1).close();
         t.open().thumbs(1).close();
       }},
      {10, 2, 2, 4, [](Table& t) { t.open().thumbs(2).close().open().thumbs(2).close(); }},
      {11, 3, 4, 9,
       [&](Table& t) {
         t.open().thumbs(1).area("colspan=\"3\"", s3).close();
         t.open().thumbs(4).close().open().thumbs(4).close();
       }},
      {11, 2, 1, 2, [](Table& t) { t.open().thumbs(1).close().open().thumbs(1).close(); }},
      {12, 3, 4, 6,
       [&](Table& t) {
         t.open().area("colspan=\"3\"", s3).thumbs(1).close();
         t.open().thumbs(4).close();
         t.open().area("colspan=\"3\"", s4).thumbs(1).close();
       }},
      {12, 2, 1, 2, [](Table& t) { t.open().thumbs(1).close().open().thumbs(1).close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("template " + std::to_string(c.templ) + ", " + std::to_string(c.rows) + " x " +
                 std::to_string(c.columns) + ", " + std::to_string(c.count) + " images");
    g.set("Template", c.templ).set("Rows", c.rows).set("Columns", c.columns);
    images(c.count);
    Table expected;
    c.rows_(expected);
    ExpectLines(table(), expected.lines);
    EXPECT_EQ(run.cursor, c.count);
  }
}

TEST_F(GalleryPageTest, WholePageWithCaptionsAndImageShell) {
  namespace sfs = std::filesystem;
  sfs::create_directories(base + "/images");
  std::ofstream(base + "/images/my_dog.JPG", std::ios::binary) << std::string(123456, 'x');
  g.set("UseImageShell", 1).set("IncIndexLink", 1);
  g.set("ShowImageName", 1).set("CleanImageName", 1).set("ShowImageDimensions", 1);
  g.set("ShowImageSize", 1);
  g.setSection("Gallery Header", "A\r\nB\r\n");
  g.list = {"my_dog.JPG"};

  const std::vector<std::string> expected = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>Picture Gallery</TITLE>",
      "",
      "</HEAD>",
      std::string("<BODY") + kMargins +
          " BGCOLOR=\"#000080\" TEXT=\"#00FFFF\" LINK=\"#00FF00\" VLINK=\"#FFFF00\" "
          "ALINK=\"#FF0000\">",
      "A",
      "B",
      "",
      "<DIV ALIGN=\"center\"><A HREF=\"index.html\">Index Page</A></DIV>",
      "<P>",
      "<TABLE ALIGN=\"CENTER\" BORDER=\"5\" CELLSPACING=\"0\" CELLPADDING=\"20\" "
      "BGCOLOR=\"#C0C0C0\">",
      "<TR ALIGN=\"CENTER\">",
      "  <TD ALIGN=\"CENTER\">",
      "    <A href=\"my_dog.html\">",
      "    <IMG src=\"thumbs/Thumb-my_dog.jpg\" border=\"0\" height=\"90\" width=\"120\"></a>",
      "    <table align=\"center\"><tr align=\"center\" valign=\"top\"><td>",
      "    <FONT STYLE=\"font-family: Arial, Helvetica, sans-serif; font-size: 11px; color: "
      "#000000;\">",
      "      my dog<br>",
      "      640 x 480",
      "      123KB",
      "    </FONT>",
      "    </td></tr></table>",
      "  </TD>",
      "</TR>",
      "</TABLE>",
      CreditBannerLine(),
      "",
      "</body>",
      "</HTML>",
  };
  ExpectLines(write(), expected);
  EXPECT_TRUE(std::filesystem::exists(base + "/my_dog.html"));
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(GalleryPageTest, SizeCaptionRoundsHalfToEvenAndMissingPictureCountsZero) {
  namespace sfs = std::filesystem;
  sfs::create_directories(base + "/images");
  std::ofstream(base + "/images/p1.jpg", std::ios::binary) << std::string(2500, 'x');
  std::ofstream(base + "/images/p2.jpg", std::ios::binary) << std::string(1500, 'x');
  g.set("ShowImageSize", 1).set("Columns", 3).set("Rows", 1);
  images(3);  // p3.jpg does not exist
  const std::vector<std::string> body = table();
  std::vector<std::string> sizes;
  for (const std::string& l : body)
    if (l.size() > 2 && l.substr(l.size() - 2) == "KB") sizes.push_back(l);
  EXPECT_EQ(sizes, (std::vector<std::string>{"      2KB", "      2KB", "      0KB"}));
}

TEST_F(GalleryPageTest, FailedMeasurementsAreReportedAndLeaveNoSizes) {
  g.set("ShowImageDimensions", 1).set("Rows", 1).set("Columns", 2);
  images(2);
  pictures.broken = {base + "/thumbs/Thumb-p2.jpg", base + "/images/p2.jpg"};
  const std::vector<std::string> body = table();
  // The second cell does not inherit the first cell's measurements.
  EXPECT_EQ(body[12], "    <IMG src=\"thumbs/Thumb-p2.jpg\" border=\"0\"></a>");
  EXPECT_EQ(body[15], "      0 x 0");
  EXPECT_EQ(host.texts("message"),
            (std::vector<std::string>{"Error accessing file " + base + "/thumbs/Thumb-p2.jpg",
                                      "Error accessing file p2.jpg"}));
}

TEST_F(GalleryPageTest, DefaultColorsKeepTheTextAreaColours) {
  g.set("DefaultColors", 1).set("GalleryBackImage", "bg.gif").set("GalleryBackColor", 0x0000FF);
  g.set("TableBackImage", "tb.gif").set("Template", 2).set("Rows", 3).set("Columns", 3);
  images(8);
  const std::vector<std::string> lines = write();
  EXPECT_EQ(lines[5], std::string("<BODY BACKGROUND=\"bg.gif\"") + kMargins + ">");
  EXPECT_EQ(lines[8],
            "<TABLE ALIGN=\"CENTER\" BACKGROUND=\"tb.gif\" BORDER=\"5\" CELLSPACING=\"0\" "
            "CELLPADDING=\"20\" BGCOLOR=\"#C0C0C0\">");
  const std::string area =
      "  <TD rowspan=\"1\" colspan=\"1\" BGCOLOR=\"#FF0000\" BACKGROUND=\"bg.gif\">";
  EXPECT_NE(std::find(lines.begin(), lines.end(), area), lines.end());
}

// Banks whose marker is "{" + name + "}"; the block and the call are easy to spot.
class MarkerBanners : public Banners {
 public:
  std::vector<std::string> banks = {"Top", "Side"};
  std::vector<std::string> inlineBlocks(const std::vector<std::string>& texts) override {
    std::vector<std::string> out;
    for (const auto& b : banks)
      for (const auto& t : texts)
        if (t.find("{" + b + "}") != std::string::npos) {
          out.push_back("block " + b + "\r\n");
          break;
        }
    return out;
  }
  std::string replaceMarkers(const std::string& text) override {
    std::string t = text;
    for (const auto& b : banks) t = ReplaceAll(t, "{" + b + "}", "call " + b);
    return t;
  }
  void writeScriptFiles() override {}
};

TEST_F(GalleryPageTest, BannerBlocksFollowTheBodyTagOnceAndMarkersAreReplaced) {
  MarkerBanners marked;
  banners = &marked;
  g.setSection("Gallery Header", "{Side}{Side}");
  g.setSection("Gallery Text4", "{Top}");  // template 1 shows no Text4, the block still comes
  g.setSection("Gallery Footer", "{Side}");
  images(2);
  std::vector<std::string> lines = write();
  ASSERT_GE(lines.size(), 12u);
  EXPECT_EQ(lines[6], "block Top");
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8], "block Side");
  EXPECT_EQ(lines[9], "");
  EXPECT_EQ(lines[10], "call Sidecall Side");
  EXPECT_EQ(lines[lines.size() - 3], "call Side");

  g.set("WriteScriptFile", 1);
  lines = write();
  EXPECT_EQ(lines[6], "call Sidecall Side");
}

}  // namespace
}  // namespace fw
