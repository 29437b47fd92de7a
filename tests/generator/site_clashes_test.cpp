// A Go run whose files would fall on one another, or on a picture, writes nothing and names
// the clashes.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/name_clashes.h"
#include "fakes.h"
#include "generator/custom_pages.h"
#include "generator/generation_run.h"

namespace fw::testing {
namespace {

namespace sfs = std::filesystem;

class SiteClashes : public PageWriterTest {
 protected:
  // Runs Go over pictures that exist in the image folder; the site folder holds nothing else.
  void go(const std::vector<std::string>& images) {
    const std::string folder = base + "/" + g.text("ImageDir");
    sfs::create_directories(folder);
    for (const std::string& image : images) std::ofstream(folder + "/" + image) << image;
    g.list = images;
    PageContext c = context();
    CustomTemplatePages custom;
    RunGeneration(c, &custom, {}, {}, 1);
  }
  std::string clash(const std::string& lines) {
    return std::string(kNameClashMessage) + ReplaceAll(lines, "<site>", base);
  }
  void expectNothingWritten() {
    for (const auto& e : sfs::recursive_directory_iterator(base)) {
      const std::string name = e.path().filename();
      if (e.is_regular_file())
        EXPECT_EQ(ReadAll(e.path()), name) << e.path() << " was written";
      else
        EXPECT_EQ(e.path(), base + "/" + g.text("ImageDir")) << e.path() << " was made";
    }
    EXPECT_TRUE(pictures.made.empty());
    EXPECT_EQ(host.texts("status"), std::vector<std::string>{});
    EXPECT_EQ(host.calls.front().kind, "beep");
  }
};

TEST_F(SiteClashes, PagesOverPagesAndPicturesAreFoundBeforeAnythingIsWritten) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> images;
    std::string lines;
  } cases[] = {
      {{{"Rows", "1"}, {"Columns", "1"}},
       {"Gallery1.jpg", "b.jpg"},
       "\r\n<site>/Gallery1.html: gallery page 1 and the image page of Gallery1.jpg"},
      {{},
       {"Gallery.jpg"},
       "\r\n<site>/Gallery.html: gallery page 1 and the image page of Gallery.jpg"},
      {{}, {"index.jpg"}, "\r\n<site>/index.html: the image page of index.jpg and the index page"},
      {{},
       {"a.gif", "a.jpg"},
       "\r\n<site>/thumbs/Thumb-a.jpg: the thumbnail of a.gif and the thumbnail of a.jpg"
       "\r\n<site>/a.html: the image page of a.gif and the image page of a.jpg"},
      {{{"DocExtension", "jpg"}, {"ImageDir", ""}},
       {"a.jpg", "b.jpg"},
       "\r\n<site>/a.jpg: the picture a.jpg and the image page of a.jpg"
       "\r\n<site>/b.jpg: the picture b.jpg and the image page of b.jpg"},
      // A thumbnail beside the pictures, on another picture.
      {{{"ThumbsDir", "images"}},
       {"a.jpg", "Thumb-a.jpg"},
       "\r\n<site>/images/Thumb-a.jpg: the picture Thumb-a.jpg and the thumbnail of a.jpg"},
      // One folder by two spellings.
      {{{"DocExtension", "jpg"}, {"ImageDir", "./"}, {"IndexFile", "./sub/../x.jpg"}},
       {"x.jpg"},
       "\r\n<site>/./x.jpg: the picture x.jpg, the image page of x.jpg and the index page"},
      // The custom layout, one picture a page: picture 2's image page is gallery page 2.
      {{{"Template", "13"}, {"UseCustomImageShell", "1"}},
       {"x.jpg", "Gallery2.jpg"},
       "\r\n<site>/Gallery2.html: gallery page 2 and the image page of Gallery2.jpg"},
  };
  const std::string tpl = TempFolder("clash_template") + "/gallery.tpl";
  std::ofstream(tpl) << "<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>";
  for (const Case& k : cases) {
    SetUp();
    g = FakeGallery();
    g.set("BaseDir", base).set("CustomGalleryTemplate", tpl);
    host.calls.clear();
    for (const auto& [name, value] : k.values) {
      if (FindGalleryValue(name)->kind == Kind::String)
        g.set(name, value);
      else
        g.set(name, std::stoi(value));
    }
    go(k.images);
    SCOPED_TRACE(k.images.front());
    EXPECT_EQ(host.texts("message"), std::vector<std::string>{clash(k.lines)});
    expectNothingWritten();
  }
}

TEST_F(SiteClashes, NamesApartOnlyByCaseOrByTheirPlaceDoNotClash) {
  g.set("Rows", 1).set("Columns", 1);
  go({"a.jpg", "A.gif", "gallery1.png", "Index.jpg"});
  EXPECT_TRUE(host.texts("message").empty());
  for (const char* page : {"a.html", "A.html", "gallery1.html", "Index.html", "Gallery1.html"})
    EXPECT_TRUE(sfs::exists(base + "/" + page)) << page;

  // Without a prefix, a JPEG beside its picture is the picture's own thumbnail.
  g.set("ThumbsDir", "images").set("ThumbPrefix", "");
  go({"b.jpg"});
  EXPECT_TRUE(host.texts("message").empty());

  // The custom layout with room for every picture on one page has no gallery page 2.
  const std::string tpl = base + "/gallery.tpl";
  std::ofstream(tpl) << "<Image/><Image/>";
  g.set("Template", 13).set("UseCustomImageShell", 1).set("CustomGalleryTemplate", tpl);
  go({"x.jpg", "Gallery2.jpg"});
  EXPECT_TRUE(host.texts("message").empty());
  EXPECT_TRUE(sfs::exists(base + "/Gallery2.html"));
}

TEST(NameClashes, ManyClashesAreCountedAfterTheFirstOnes) {
  NameClashes clashes;
  const NameClashes::Folder site = NameClashes::Resolve("/nowhere/site");
  for (int i = 0; i < 25; ++i)
    clashes.claim(site, std::to_string(i), NameClashes::Claim::Keep, "the picture");
  EXPECT_FALSE(clashes.any());
  for (int i = 0; i < 25; ++i)
    clashes.claim(site, std::to_string(i), NameClashes::Claim::Write, "a page");
  const std::string text = clashes.message();
  EXPECT_EQ(text.substr(text.find("\r\n/nowhere/site/19:")),
            "\r\n/nowhere/site/19: the picture and a page\r\nand 5 more");
}

}  // namespace
}  // namespace fw::testing
