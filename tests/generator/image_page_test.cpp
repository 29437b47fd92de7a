#include <gtest/gtest.h>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/framing.h"
#include "generator/image_page.h"
#include "generator/page_hooks.h"

namespace fw {
namespace {

using testing::ExpectLines;
using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;

const char* const kMargins =
    " leftmargin=\"0\" topmargin=\"0\" rightmargin=\"0\" bottommargin=\"0\" marginwidth=\"0\" "
    "marginheight=\"0\"";

class ImagePageTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
    g.list = {"a_b.JPG"};
    run.pageCount = run.page = 1;
  }
  std::vector<std::string> write(const std::string& image) {
    PageContext c = context();
    WriteImagePage(c, image);
    return PageLines(base + "/" + image.substr(0, image.size() - 4) + ".html");
  }
};

TEST_F(ImagePageTest, WholePageWithBarsOffAndNameShown) {
  g.set("ShowTopImageNavRow", 0).set("ShowBottomImageNavRow", 0);
  g.set("ImagePageShowImageName", 1).set("ImageTitle", "Photo");
  g.setSection("Image Header", "Top").setSection("Image Footer", "Bottom");
  g.setSection("Header Code", "<META name=\"x\">");
  pictures.sizes[base + "/images/a_b.JPG"] = {800, 600};
  const std::vector<std::string> expected = {
      "<HTML>",
      "<HEAD>",
      "<TITLE>Photo</TITLE>",
      "<META name=\"x\">",
      "</HEAD>",
      std::string("<BODY") + kMargins +
          " BGCOLOR=\"#000080\" TEXT=\"#00FFFF\" LINK=\"#00FF00\" VLINK=\"#FFFF00\" "
          "ALINK=\"#FF0000\">",
      "Top",
      "<P>",
      "<TABLE ALIGN=\"CENTER\" BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\" "
      "BGCOLOR=\"White\"><TR ALIGN=\"CENTER\">",
      "  <TD>",
      "    <IMG src=\"images/a_b.JPG\" border=\"0\" height=\"600\" width=\"800\">",
      "    <br><b><font color=\"black\">a b</font></b><br>",
      "  </TD>",
      "</TR></TABLE>",
      CreditBannerLine(),
      "Bottom",
      "</body>",
      "</HTML>",
  };
  ExpectLines(write("a_b.JPG"), expected);
}

TEST_F(ImagePageTest, BodyTagFollowsTheColourSwitches) {
  g.set("GalleryBackImage", "bg.gif");
  g.set("UseGalleryColors", 0);
  // The image's own colours never carry the background picture.
  EXPECT_EQ(write("a_b.JPG")[5],
            std::string("<BODY") + kMargins +
                " BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800000\" "
                "ALINK=\"#FF0000\">");
  g.set("UseGalleryColors", 1);
  EXPECT_EQ(write("a_b.JPG")[5],
            std::string("<BODY BACKGROUND=\"bg.gif\"") + kMargins +
                " BGCOLOR=\"#000080\" TEXT=\"#00FFFF\" LINK=\"#00FF00\" VLINK=\"#FFFF00\" "
                "ALINK=\"#FF0000\">");
  g.set("DefaultColors", 1);
  EXPECT_EQ(write("a_b.JPG")[5], std::string("<BODY BACKGROUND=\"bg.gif\"") + kMargins + ">");
}

TEST_F(ImagePageTest, BarsSitAboveAndBelowThePicture) {
  g.set("DisableBanner", 1);
  g.list = {"a.b.jpg", "a.c.jpg"};
  run.cursor = 1;
  const std::vector<std::string> lines = write("a.c.jpg");
  // Both bars, each ending in "<P>"; the bottom one follows its own "<P>".
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines[7], "<P>");
  EXPECT_EQ(lines[8].rfind("<TABLE ALIGN=\"CENTER\" BORDER=\"5\"", 0), 0u);
  EXPECT_EQ(lines[12], "<P>");
  EXPECT_EQ(lines[18], "<P>");
  EXPECT_EQ(lines[19].rfind("<TABLE ALIGN=\"CENTER\" BORDER=\"5\"", 0), 0u);
  EXPECT_NE(lines[20].find("HREF=\"a.b.html\""), std::string::npos);
  EXPECT_EQ(lines[23], "<P>");
  EXPECT_TRUE(std::filesystem::exists(base + "/a.c.html"));
}

TEST_F(ImagePageTest, UnreadablePictureIsReportedAndWrittenWithoutSizes) {
  pictures.broken = {base + "/images/a_b.JPG"};
  g.set("ShowTopImageNavRow", 0);
  const std::vector<std::string> lines = write("a_b.JPG");
  EXPECT_EQ(lines[10], "    <IMG src=\"images/a_b.JPG\" border=\"0\">");
  EXPECT_EQ(host.texts("message"), std::vector<std::string>{"Error accessing file a_b.JPG"});
}

TEST(Framing, CreditLineLinksToTheHomePage) {
  EXPECT_EQ(CreditBannerLine(),
            "<DIV ALIGN=\"center\"><FONT STYLE=\"color: #66CCFF; font-family: Arial, Helvetica, "
            "sans-serif; font-size: 11px; font-style: italic;\">Gallery created with </FONT><A "
            "HREF=\"http://www.ombrix.example/framewright/\" STYLE=\"background-color: Maroon; "
            "color: Yellow; font-family: Arial, Helvetica, sans-serif; font-weight: bold; "
            "font-style: italic; text-align: center; text-decoration: none;\" "
            "TITLE=\"Framewright HomePage\">&nbsp;Framewright&nbsp;</A></DIV>");
}

}  // namespace
}  // namespace fw
