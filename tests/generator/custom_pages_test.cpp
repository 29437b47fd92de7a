#include "generator/custom_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "common/recording_host.h"
#include "fakes.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;
using testing::FakeGallery;
using testing::FakePictures;
using testing::ReadAll;

void Write(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

int Count(const std::string& text, const std::string& pattern) {
  int n = 0;
  for (std::size_t at = text.find(pattern); at != std::string::npos;
       at = text.find(pattern, at + pattern.size()))
    ++n;
  return n;
}

class CustomPagesTest : public testing::PageWriterTest {
 protected:
  void SetUp() override {
    PageWriterTest::SetUp();
    sfs::create_directories(base + "/site");
    g.set("BaseDir", base + "/site").set("CustomGalleryTemplate", base + "/gallery.tpl");
    g.set("CustomImageTemplate", base + "/image.tpl");
  }
  void images(int n) {
    g.list.clear();
    for (int i = 1; i <= n; ++i) g.list.push_back("p" + std::to_string(i) + ".jpg");
  }
  void galleryTemplate(const std::string& text) { Write(base + "/gallery.tpl", text); }
  void write() {
    PageContext c = context();
    CustomTemplatePages().writePages(c);
  }
  std::string page(const std::string& name) { return ReadAll(base + "/site/" + name); }
  std::vector<std::string> siteFiles() {
    std::vector<std::string> names;
    for (const auto& e : sfs::directory_iterator(base + "/site"))
      names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(CustomPagesTest, EachPageTakesAsManyImagesAsItHasPlaceholders) {
  std::string cells;
  for (int i = 0; i < 12; ++i) cells += "<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>\n";
  galleryTemplate("<HTML>\n" + cells + "</HTML>\n");
  images(30);
  write();
  EXPECT_EQ(siteFiles(),
            (std::vector<std::string>{"Gallery1.html", "Gallery2.html", "Gallery3.html"}));
  EXPECT_EQ(run.pageCount, 3);
  EXPECT_EQ(host.texts("status"),
            (std::vector<std::string>{"Writing gallery page 1", "Writing gallery page 2",
                                      "Writing gallery page 3"}));
  const std::string first = page("Gallery1.html");
  const std::string opening =
      "<HTML>\r\n<A HREF=\"images/p1.jpg\"><IMG SRC=\"thumbs/Thumb-p1.jpg\"></A>\r\n"
      "<A HREF=\"images/p2.jpg\">";
  EXPECT_EQ(first.substr(0, opening.size()), opening);
  EXPECT_EQ(first.substr(first.size() - 9), "</HTML>\r\n");
  EXPECT_EQ(Count(first, "<Image/>"), 0);
  EXPECT_NE(page("Gallery2.html").find("images/p24.jpg\"><IMG SRC=\"thumbs/Thumb-p24.jpg"),
            std::string::npos);
  const std::string last = page("Gallery3.html");
  EXPECT_NE(last.find("images/p30.jpg"), std::string::npos);
  EXPECT_EQ(Count(last, "<Image/>"), 6);
  EXPECT_EQ(Count(last, "<Thumb/>"), 6);
}

TEST_F(CustomPagesTest, OneImageMakesGallery1AndThumbnailsFollowTheirOwnOrder) {
  galleryTemplate("<Thumb/> then <Image/>");
  g.list = {"photo.gif"};
  write();
  EXPECT_EQ(siteFiles(), std::vector<std::string>{"Gallery1.html"});
  EXPECT_EQ(page("Gallery1.html"), "thumbs/Thumb-photo.jpg then images/photo.gif\r\n");
  EXPECT_EQ(run.pageCount, 1);

  // A thumbnail with no placeholder left goes to the very start of the page.
  galleryTemplate("[<Image/>|<Thumb/>] [<Image/>]");
  g.set("ThumbPrefix", "_t").set("IsThumbPrefix", 0).set("ImageDir", "");
  g.set("CustomGalleryPrefix", "album").set("CustomGalleryExt", "htm");
  g.list = {"a.png", "b.jpg"};
  write();
  EXPECT_EQ(page("album1.htm"), "thumbs/b_t.jpg[a.png|thumbs/a_t.jpg] [b.jpg]\r\n");
}

TEST_F(CustomPagesTest, ImagePagesLinkRoundTheListAndTheGalleryPageLinksToThem) {
  galleryTemplate("<Image/>,<Thumb/>;<Image/>,<Thumb/>");
  Write(base + "/image.tpl", "<Image/> <Previous/> <Next/> <Gallery/>\r\n<Previous/>\r\n");
  g.set("UseCustomImageShell", 1);
  g.list = {"first.jpg", "second.jpg", "third.jpg", "a.b.jpg"};
  write();
  EXPECT_EQ(siteFiles(), (std::vector<std::string>{"Gallery1.html", "Gallery2.html", "a.b.html",
                                                   "first.html", "second.html", "third.html"}));
  EXPECT_EQ(page("Gallery1.html"),
            "first.html,thumbs/Thumb-first.jpg;second.html,thumbs/Thumb-second.jpg\r\n");
  EXPECT_EQ(page("first.html"),
            "images/first.jpg a.b.html second.html Gallery1.html\r\na.b.html\r\n");
  EXPECT_EQ(page("second.html"),
            "images/second.jpg first.html third.html Gallery1.html\r\nfirst.html\r\n");
  EXPECT_EQ(page("third.html"),
            "images/third.jpg second.html a.b.html Gallery2.html\r\nsecond.html\r\n");
  EXPECT_EQ(page("a.b.html"),
            "images/a.b.jpg third.html first.html Gallery2.html\r\nthird.html\r\n");
}

TEST_F(CustomPagesTest, EmptyPlaceholdersAndAMissingImageTemplate) {
  galleryTemplate("<P><Thumb/>\n<Thumb/></P>");
  g.set("ImagePlaceHolder", "");  // found at the start, again and again
  g.set("UseCustomImageShell", 1).set("CustomImageTemplate", base + "/none.tpl");
  g.list = {"x.jpg", "y.jpg", "z.jpg"};
  write();
  EXPECT_EQ(page("Gallery1.html"),
            "thumbs/Thumb-z.jpgz.htmly.htmlx.html<P>thumbs/Thumb-x.jpg\r\nthumbs/Thumb-y.jpg</P>"
            "\r\n");
  EXPECT_EQ(run.pageCount, 1);
  EXPECT_EQ(page("x.html"), "\r\n");  // no image template: a single line break

  Write(base + "/image.tpl", "<Image/>|<Next/>");
  g.set("CustomImageTemplate", base + "/image.tpl").set("ImagePagePlaceHolder", "");
  g.set("NextPlaceHolder", "");
  write();
  EXPECT_EQ(page("y.html"), "<Image/>|<Next/>\r\n");
}

TEST_F(CustomPagesTest, TemplateThatCannotTakeAnImageEndsTheRun) {
  images(3);
  try {
    write();  // no template file at all
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "The custom gallery template \"" + base +
                                         "/gallery.tpl\" is missing or empty, so no image can be "
                                         "placed on a page.");
  }
  galleryTemplate("<HTML><Thumb/></HTML>\r\n");
  try {
    write();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("holds no image place holder \"<Image/>\""),
              std::string::npos);
  }
  EXPECT_TRUE(siteFiles().empty());
  g.set("ImagePlaceHolder", "");  // an empty placeholder finds nothing in an empty template
  galleryTemplate("");
  EXPECT_THROW(write(), Error);
}

TEST_F(CustomPagesTest, PagesNeverOverwriteTheirTemplates) {
  images(2);
  g.set("CustomGalleryTemplate", base + "/site/Gallery1.html");
  Write(base + "/site/Gallery1.html", "<Image/><Thumb/>");
  EXPECT_THROW(write(), Error);
  EXPECT_EQ(page("Gallery1.html"), "<Image/><Thumb/>");

  g.set("CustomGalleryTemplate", base + "/gallery.tpl").set("UseCustomImageShell", 1);
  galleryTemplate("<Image/><Thumb/>");
  Write(base + "/site/p2.html", "<Image/>");
  g.set("CustomImageTemplate", base + "/site/p2.html");
  EXPECT_THROW(write(), Error);
  EXPECT_EQ(page("p2.html"), "<Image/>");
}

TEST(CustomTemplateText, LinesAreJoinedByCrLfWithoutTheFinalBreak) {
  const std::string base = testing::TempFolder("custom_text");
  struct Case {
    const char* file;
    const char* text;
  } cases[] = {{"a\r\nb\r\n", "a\r\nb"}, {"a\rb\n\n", "a\r\nb\r\n"}, {"\r\n", ""}};
  for (const Case& c : cases) {
    Write(base + "/t.txt", c.file);
    EXPECT_EQ(ReadWholeText(base + "/t.txt"), c.text) << c.file;
  }
}

}  // namespace
}  // namespace fw
