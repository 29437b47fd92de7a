#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/generation_run.h"
#include "generator/layout.h"
#include "generator/responsive_assets.h"
#include "generator/responsive_frame.h"
#include "generator/responsive_names.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using testing::ExpectLines;
using testing::PageLines;

// Three pictures on pages of two, one of them with a name that needs escaping and one wider
// than any screen.
class ResponsiveSiteTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
    sfs::create_directories(base + "/images");
    g.list = {"a_b.jpg", "x&y z.jpg", "wide.jpg"};
    for (const std::string& p : g.list) std::ofstream(base + "/images/" + p) << "picture";
    g.set("Template", kResponsiveTemplate).set("Rows", 1).set("Columns", 2);
    g.set("GalleryTitle", "Trip").set("ImageTitle", "Photo").set("IndexTitle", "All");
    g.setSection("Gallery Header", "<p>Hello</p>").setSection("Gallery Text3", "Three");
    pictures.sizes[base + "/images/wide.jpg"] = {3000, 2000};
    pictures.sizes[base + "/thumbs/Thumb-wide@display.jpg"] = {2048, 1365};
  }
  void go() {
    PageContext c = context();
    RunGeneration(
        c, nullptr, RunControls{}, [](int) { return 0; }, 1);
  }
  std::vector<std::string> page(const std::string& name) { return PageLines(base + "/" + name); }
};

std::vector<std::string> Head(const std::string& title, const std::string& bodyClass) {
  return {"<!doctype html>",
          "<html lang=\"en\">",
          "<head>",
          "<meta charset=\"utf-8\">",
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
          "<title>" + title + "</title>",
          "<link rel=\"icon\" href=\"data:,\">",
          "<link rel=\"stylesheet\" href=\"framewright.css\">",
          "<script src=\"framewright.js\" defer></script>",
          "",
          "</head>",
          "<body class=\"" + bodyClass + "\">",
          "<header>",
          "<h1>" + title + "</h1>"};
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ResponsiveSiteTest, FirstGalleryPageWhole) {
  go();
  ExpectLines(page("Gallery1.html"),
              Joined(Head("Trip", "gallery"),
                     {"<p>Hello</p>",
                      "</header>",
                      "<nav class=\"pages\" aria-label=\"Pages\">",
                      "<span aria-current=\"page\">1</span>",
                      "<a href=\"Gallery2.html\" rel=\"next\" data-key=\"ArrowRight\">2</a>",
                      "<a href=\"index.html\">Index Page</a>",
                      "</nav>",
                      "<main>",
                      "<div class=\"text\">",
                      "Three",
                      "</div>",
                      "<ul class=\"grid\">",
                      "<li><a href=\"a_b.html\"><img src=\"thumbs/Thumb-a_b.jpg\" "
                      "srcset=\"thumbs/Thumb-a_b.jpg 1x, thumbs/Thumb-a_b@2x.jpg 2x\" "
                      "width=\"120\" height=\"90\" alt=\"a_b.jpg\"></a></li>",
                      "<li><a href=\"x%26y%20z.html\"><img src=\"thumbs/Thumb-x%26y%20z.jpg\" "
                      "srcset=\"thumbs/Thumb-x%26y%20z.jpg 1x, thumbs/Thumb-x%26y%20z@2x.jpg 2x\" "
                      "width=\"120\" height=\"90\" alt=\"x&amp;y z.jpg\"></a></li>",
                      "</ul>",
                      "</main>",
                      "<footer>",
                      ResponsiveCreditLine(),
                      "<nav class=\"pages\" aria-label=\"Pages, below\">",
                      "<span aria-current=\"page\">1</span>",
                      "<a href=\"Gallery2.html\" rel=\"next\" data-key=\"ArrowRight\">2</a>",
                      "<a href=\"index.html\">Index Page</a>",
                      "</nav>",
                      "",
                      "</footer>",
                      "</body>",
                      "</html>"}));
}

TEST_F(ResponsiveSiteTest, ImagePageOfAWidePictureShowsItsDisplayCopy) {
  g.set("ImagePageShowImageName", 1).set("ShowBottomImageNavRow", 0);
  go();
  ExpectLines(page("wide.html"),
              Joined(Head("Photo", "picture"),
                     {"", "</header>", "<nav class=\"bar\" aria-label=\"Pictures\">",
                      "<a href=\"x%26y%20z.html\" rel=\"prev\" data-key=\"ArrowLeft\">Previous</a>",
                      "<a href=\"Gallery2.html\" data-key=\"Escape\">Back to gallery</a>", "</nav>",
                      "<main>", "<figure>",
                      "<img src=\"thumbs/Thumb-wide@display.jpg\" "
                      "srcset=\"thumbs/Thumb-wide@display.jpg 2048w, images/wide.jpg 3000w\" "
                      "sizes=\"(max-width: 2048px) 100vw, 2048px\" width=\"2048\" height=\"1365\" "
                      "alt=\"wide\">",
                      "<figcaption>wide</figcaption>", "</figure>", "</main>", "<footer>",
                      ResponsiveCreditLine(), "", "</footer>", "</body>", "</html>"}));
  // The first picture's page fetches the next picture ahead; the picture itself fits screens.
  const std::vector<std::string> first = page("a_b.html");
  EXPECT_NE(std::find(first.begin(), first.end(),
                      "<link rel=\"prefetch\" href=\"images/x%26y%20z.jpg\">"),
            first.end());
  EXPECT_NE(std::find(first.begin(), first.end(),
                      "<img src=\"images/a_b.jpg\" width=\"640\" height=\"480\" alt=\"a b\">"),
            first.end());
}

TEST_F(ResponsiveSiteTest, PagingIndexAndExtraPictures) {
  g.set("CleanImageName", 1).set("ShowImageName", 1).set("NavPagePrefix", "P");
  g.set("Columns", 1).set("Rows", 2);  // a row of one: the second picture of a page is lazy
  go();
  const std::vector<std::string> second = page("Gallery2.html");
  const std::vector<std::string> cells = testing::Between(second, "<ul class=\"grid\">", "</ul>");
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_NE(cells[0].find("href=\"wide.html\""), std::string::npos);
  EXPECT_NE(cells[0].find("<p class=\"caption\">wide</p>"), std::string::npos);
  EXPECT_EQ(testing::Between(second, "<nav class=\"pages\" aria-label=\"Pages\">", "</nav>"),
            (std::vector<std::string>{
                "<a href=\"Gallery1.html\" rel=\"prev\" data-key=\"ArrowLeft\">P1</a>",
                "<span aria-current=\"page\">P2</span>", "<a href=\"index.html\">Index Page</a>"}));
  const std::vector<std::string> first = page("Gallery1.html");
  const std::vector<std::string> firstCells =
      testing::Between(first, "<ul class=\"grid\">", "</ul>");
  ASSERT_EQ(firstCells.size(), 2u);
  EXPECT_EQ(firstCells[0].find("loading"), std::string::npos);
  EXPECT_NE(firstCells[1].find(" loading=\"lazy\""), std::string::npos);
  EXPECT_NE(firstCells[1].find("alt=\"x&amp;y z\""), std::string::npos);

  // Each index card shows the last picture of its page (the draw gives 0) and links to it.
  EXPECT_EQ(
      testing::Between(page("index.html"), "<ul class=\"grid\">", "</ul>"),
      (std::vector<std::string>{
          "<li><a href=\"Gallery1.html\"><img src=\"thumbs/Thumb-x%26y%20z.jpg\" width=\"120\" "
          "height=\"90\" alt=\"x&amp;y z\"><p class=\"caption\">P1</p></a></li>",
          "<li><a href=\"Gallery2.html\"><img src=\"thumbs/Thumb-wide.jpg\" width=\"120\" "
          "height=\"90\" alt=\"wide\" loading=\"lazy\"><p class=\"caption\">P2</p></a></li>"}));

  // The double thumbnails of all, the display copy of the wide one only, written by the run.
  for (const char* made :
       {"Thumb-a_b@2x.jpg", "Thumb-x&y z@2x.jpg", "Thumb-wide@2x.jpg", "Thumb-wide@display.jpg"})
    EXPECT_TRUE(sfs::exists(base + "/thumbs/" + made)) << made;
  EXPECT_FALSE(sfs::exists(base + "/thumbs/Thumb-a_b@display.jpg"));
  EXPECT_EQ(ResponsiveStyle(snapshot), testing::ReadAll(base + "/" + kStyleFile));
  EXPECT_EQ(ResponsiveScript(), testing::ReadAll(base + "/" + kScriptFile));
}

// A double thumbnail twice its thumbnail's size is kept; one of another size (made before
// ThumbSize changed) is made again.
TEST_F(ResponsiveSiteTest, DoubleThumbnailsOfAnotherSizeAreMadeAgain) {
  sfs::create_directories(base + "/thumbs");
  for (const char* t : {"Thumb-a_b.jpg", "Thumb-a_b@2x.jpg", "Thumb-wide.jpg", "Thumb-wide@2x.jpg"})
    std::ofstream(base + "/thumbs/" + t) << "old";
  pictures.sizes[base + "/thumbs/Thumb-a_b@2x.jpg"] = {240, 180};
  pictures.sizes[base + "/thumbs/Thumb-wide@2x.jpg"] = {200, 150};
  go();
  for (const char* kept : {"Thumb-a_b.jpg", "Thumb-a_b@2x.jpg", "Thumb-wide.jpg"})
    EXPECT_EQ(std::count(pictures.made.begin(), pictures.made.end(), base + "/thumbs/" + kept), 0)
        << kept;
  EXPECT_EQ(
      std::count(pictures.made.begin(), pictures.made.end(), base + "/thumbs/Thumb-wide@2x.jpg"),
      1);
}

TEST(ResponsiveNames, MarkerStandsBeforeTheThumbnailRule) {
  NamingValues v;
  v.thumbPrefix = "_t";
  v.isThumbPrefix = false;
  EXPECT_EQ(DoubleThumbnailName(v, "beach.PNG"), "beach@2x_t.jpg");
  v.thumbPrefix = "Thumb-";
  v.isThumbPrefix = true;
  EXPECT_EQ(DisplayCopyName(v, "my.holiday.gif"), "Thumb-my.holiday@display.jpg");
}

}  // namespace
}  // namespace fw
