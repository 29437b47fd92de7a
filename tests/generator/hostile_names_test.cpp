// Names no page can take as they are: markup, URL characters, bytes that are not UTF-8, and
// UTF-8 letters on pages that would otherwise declare no character set.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes.h"
#include "generator/custom_pages.h"
#include "generator/generation_run.h"
#include "generator/page_file.h"

namespace fw::testing {
namespace {

namespace sfs = std::filesystem;

const std::string kQuote = "q\"onmouseover=\"alert(1)\" x=\".jpg";
const std::string kTag = "<img src=x onerror=alert(2)>.jpg";
const std::string kLatin1 = "caf\xE9.gif";
const std::string kUtf8 =
    "Gr\xC3\xBC\xC3\x9F"
    "e.png";

class HostileNames : public PageWriterTest {
 protected:
  void go() {
    PageContext c = context();
    CustomTemplatePages custom;
    RunGeneration(
        c, &custom, {}, [](int) { return 0; }, 1);
  }
  std::vector<std::string> page(const std::string& name) { return PageLines(base + "/" + name); }
  static bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

TEST_F(HostileNames, NamesAreTextInCaptionsAndLinksThatReachTheirFiles) {
  g.set("Rows", 1).set("Columns", 2).set("ShowImageName", 1).set("ImagePageShowImageName", 1);
  g.set("IncIndexLink", 1).set("IndexFile", "in#dex.html");
  g.list = {kQuote, kTag, "b#1.jpg", kLatin1};
  go();

  const auto first = page("Gallery1.html");
  EXPECT_TRUE(Has(first, "    <A href=\"q%22onmouseover=%22alert(1)%22 x=%22.html\">"));
  EXPECT_TRUE(Has(first,
                  "    <IMG src=\"thumbs/Thumb-q%22onmouseover=%22alert(1)%22 x=%22.jpg\" "
                  "border=\"0\" height=\"90\" width=\"120\"></a>"));
  EXPECT_TRUE(Has(first, "      q&quot;onmouseover=&quot;alert(1)&quot; x=&quot;.jpg<br>"));
  EXPECT_TRUE(Has(first, "      &lt;img src=x onerror=alert(2)&gt;.jpg<br>"));
  EXPECT_TRUE(Has(first, "<DIV ALIGN=\"center\"><A HREF=\"in%23dex.html\">Index Page</A></DIV>"));
  const auto second = page("Gallery2.html");
  EXPECT_TRUE(Has(second, "    <A href=\"caf%E9.html\">"));
  EXPECT_TRUE(Has(second, "      caf&#233;.gif<br>"));

  // Each image page under its own name, reached by the links of its neighbours.
  const auto tag = page("<img src=x onerror=alert(2)>.html");
  EXPECT_TRUE(Has(tag,
                  "    <IMG src=\"images/%3Cimg src=x onerror=alert(2)%3E.jpg\" border=\"0\" "
                  "height=\"480\" width=\"640\">"));
  EXPECT_TRUE(Has(tag,
                  "    <br><b><font color=\"black\">&lt;img src=x onerror=alert(2)&gt;"
                  "</font></b><br>"));
  const std::string bar = "\" NOWRAP><A HREF=\"";
  const auto hash = page("b#1.html");
  EXPECT_NE(ReadAll(base + "/b#1.html").find(bar + "%3Cimg src=x onerror=alert(2)%3E.html\""),
            std::string::npos);
  EXPECT_NE(ReadAll(base + "/b#1.html").find(bar + "caf%E9.html\""), std::string::npos);
  EXPECT_NE(ReadAll(base + "/b#1.html").find(bar + "Gallery2.html\""), std::string::npos);
  EXPECT_TRUE(
      Has(page("caf\xE9.html"), "    <br><b><font color=\"black\">caf&#233;</font></b><br>"));
  EXPECT_TRUE(sfs::exists(base + "/in#dex.html"));
  EXPECT_TRUE(sfs::exists(base + "/thumbs/Thumb-" + kTag));
}

TEST_F(HostileNames, CharsetIsDeclaredOnlyOnPagesWithUtf8Bytes) {
  g.set("Rows", 1).set("Columns", 1).set("ShowImageName", 1);
  g.list = {"plain.jpg", kLatin1, kUtf8};
  go();
  auto declared = [&](const std::string& name) {
    const auto lines = page(name);
    return lines.size() > 2 && lines[2] == kUtf8Declaration;
  };
  // Bytes that are not UTF-8 go out as references; a page keeps its bytes unless it holds UTF-8.
  EXPECT_FALSE(declared("Gallery1.html"));
  EXPECT_FALSE(declared("Gallery2.html"));
  EXPECT_FALSE(declared("plain.html"));
  EXPECT_TRUE(declared("Gallery3.html"));
  EXPECT_TRUE(declared("caf\xE9.html"));  // its Next link
  EXPECT_TRUE(
      declared("Gr\xC3\xBC\xC3\x9F"
               "e.html"));
  EXPECT_TRUE(declared("index.html"));  // the sample of page 3
  EXPECT_EQ(page("Gallery3.html")[3], "<TITLE>Picture Gallery</TITLE>");

  // A page that names its own character set, or holds text that is not UTF-8, is left alone.
  g.setSection("Header Code", "<META charset=\"utf-8\">\r\n");
  go();
  EXPECT_FALSE(declared("Gallery3.html"));
  g.setSection("Header Code", "").set("GalleryTitle", "Caf\xE9");
  go();
  EXPECT_FALSE(declared("Gallery3.html"));
  EXPECT_TRUE(declared("index.html"));
}

TEST_F(HostileNames, CustomPagesLinkByUrl) {
  const std::string gallery = base + "/gallery.tpl", image = base + "/image.tpl";
  std::ofstream(gallery) << "<A HREF=\"<Image/>\"><IMG SRC=\"<Thumb/>\"></A>";
  std::ofstream(image) << "<IMG SRC=\"<Image/>\"><A HREF=\"<Gallery/>\">up</A>";
  g.set("Template", 13).set("CustomGalleryTemplate", gallery).set("CustomImageTemplate", image);
  g.set("UseCustomImageShell", 1).set("CustomGalleryPrefix", "G#");
  g.list = {"b#1.jpg"};
  go();
  EXPECT_EQ(ReadAll(base + "/G#1.html"),
            "<A HREF=\"b%231.html\"><IMG SRC=\"thumbs/Thumb-b%231.jpg\"></A>\r\n");
  EXPECT_EQ(ReadAll(base + "/b#1.html"),
            "<IMG SRC=\"images/b%231.jpg\"><A HREF=\"G%231.html\">up</A>\r\n");
}

}  // namespace
}  // namespace fw::testing
