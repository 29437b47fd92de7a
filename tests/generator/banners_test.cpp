#include "generator/banners.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "common/recording_host.h"
#include "fakes.h"
#include "generator/gallery_page.h"
#include "generator/generation_run.h"

namespace fw {
namespace {

using testing::FakeGallery;
using testing::FakePictures;
using testing::PageLines;
using testing::ReadAll;

const std::string kInlineCall = "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">Write";

class BannersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base = testing::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    g.set("BaseDir", base);
  }
  void banks(const std::string& list) { g.setSection("Banner Banks", list); }

  // The banners of a snapshot of `g` as it stands now.
  GalleryBanners& banners() {
    snapshot = TakeSnapshot(g);
    return made.emplace(snapshot);
  }

  std::string base;
  FakeGallery g;
  GallerySnapshot snapshot;
  std::optional<GalleryBanners> made;
};

TEST(SplitBanners, EmptyLinesSeparateBannersAndLinesOfOneBannerAreJoined) {
  struct Case {
    const char* text;
    std::vector<std::string> banners;
  } cases[] = {
      {"", {}},
      {"<A>one</A>\r\n", {"<A>one</A>"}},
      // a line, an empty line, then two lines
      {"first\r\n\r\nsecond\r\nhalf\r\n", {"first", "secondhalf"}},
      {"a\r\n\r\n\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\n\r\n\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\n\r\n\r\n\r\nb\r\n", {"a", "b"}},
      {"a\r\n\r\n\r\n\r\n\r\n\r\nb\r\n", {"a", "", "b"}},  // five empty lines
      {"a\r\n\r\n\r\n\r\n\r\n\r\n", {"a", ""}},            // five after the last banner
      {"\r\n\r\n\r\na\r\n", {"", "a"}},                    // two before the first
      {"a\r\nb\r\n\r\n", {"ab"}},                          // one empty line at the end
      {"a \r\n b", {"a  b"}},                              // no blank is put between lines
      {"x\xA3\xA3\xA3\xA3\xA3y", {"x", "y"}},              // the break marker cuts
      // only the apostrophe is escaped, and a typed "$$$$" comes out as one too
      {"Tom's \"<b>\"\\ $$$$", {"Tom\\'s \"<b>\"\\ \\'"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitBanners(c.text), c.banners) << c.text;
}

TEST_F(BannersTest, BankNameGivesScriptNameFileAndMarkers) {
  banks("Top Ads\r\n");
  g.set("ScriptExt", "js");
  EXPECT_EQ(ScriptName("Top Ads"), "Top_Ads");
  EXPECT_EQ(ScriptFilePath(ReadSettings(g), "Top Ads"), base + "/Top_Ads.js");
  EXPECT_EQ(banners().replaceMarkers("[{Top Ads}] {Top_Ads} {top ads} {Top Ads"),
            "[" + kInlineCall + "Top_Ads()</script>] {Top_Ads} {top ads} {Top Ads");
  g.set("WriteScriptFile", 1);
  EXPECT_EQ(banners().replaceMarkers("{Top Ads}{Top Ads}"),
            "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\" SRC=\"Top_Ads.js\">"
            "</SCRIPT><SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\" "
            "SRC=\"Top_Ads.js\"></SCRIPT>");
  EXPECT_TRUE(banners().inlineBlocks({"{Top Ads}"}).empty());  // script files carry the banners
}

TEST_F(BannersTest, InlineBlockAndScriptFileOfABank) {
  banks("Top Ads\r\n");
  g.setSection("Top Ads", "<A HREF=\"x\">Tom's</A>\r\n\r\n<IMG\r\n SRC=\"b.gif\">\r\n");
  const std::vector<std::string> blocks = banners().inlineBlocks({"", "see {Top Ads}"});
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0],
            "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">\r\n"
            "  Top_Ads = new Array();\r\n"
            "  Top_Ads[1] = '<A HREF=\"x\">Tom\\'s</A>';\r\n"
            "  Top_Ads[2] = '<IMG SRC=\"b.gif\">';\r\n"
            "  function WriteTop_Ads(){\r\n"
            "    var i = Math.round(Math.random() * 2 + 0.5);\r\n"
            "    document.write(Top_Ads[i]);\r\n"
            "  }\r\n"
            "</script>\r\n");

  WriteBankScriptFile(ReadSettings(g), {"Top Ads", g.section("Top Ads")});
  EXPECT_EQ(ReadAll(base + "/Top_Ads.js"),
            "Banner = new Array();\r\n"
            "Banner[1] = '<A HREF=\"x\">Tom\\'s</A>';\r\n"
            "Banner[2] = '<IMG SRC=\"b.gif\">';\r\n"
            "var i = Math.round(Math.random() * 2 + 0.5);\r\n"
            "document.write(Banner[i]);\r\n");
}

TEST_F(BannersTest, BankWithoutTextGivesAnEmptyBlockAndAnEmptyScriptFile) {
  banks("Empty\r\n");
  const std::vector<std::string> blocks = banners().inlineBlocks({"{Empty}"});
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_NE(blocks[0].find("  Empty = new Array();\r\n  function WriteEmpty(){\r\n"
                           "    var i = Math.round(Math.random() * 0 + 0.5);\r\n"),
            std::string::npos);
  std::ofstream(base + "/Empty.js") << "stale";
  WriteBankScriptFile(ReadSettings(g), {"Empty", g.section("Empty")});
  EXPECT_EQ(ReadAll(base + "/Empty.js"), "");
}

TEST_F(BannersTest, BanksGoInListOrderAndOnlyListedMarkersChange) {
  banks("zeta\r\nAlpha\r\nmid\r\n");  // the list shows them sorted
  for (const char* b : {"zeta", "Alpha", "mid"}) g.setSection(b, std::string(b) + "\r\n");
  const std::vector<std::string> blocks =
      banners().inlineBlocks({"{zeta} {mid}", "{Alpha}", "{mid}"});
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_NE(blocks[0].find("WriteAlpha"), std::string::npos);
  EXPECT_NE(blocks[1].find("Writemid"), std::string::npos);
  EXPECT_NE(blocks[2].find("Writezeta"), std::string::npos);
  EXPECT_TRUE(banners().inlineBlocks({"{other} {}", "{ALPHA}"}).empty());
  EXPECT_EQ(banners().replaceMarkers("{other}"), "{other}");

  banks("");
  EXPECT_TRUE(banners().inlineBlocks({"{zeta}"}).empty());
  EXPECT_EQ(banners().replaceMarkers("{zeta}"), "{zeta}");
}

TEST_F(BannersTest, GalleryPageWritesEachBlockOnceWhereverItsMarkersStand) {
  banks("Side\r\nTop Ads\r\n");
  g.setSection("Side", "s\r\n").setSection("Top Ads", "t\r\n");
  g.setSection("Gallery Header", "{Side}|{Side}");
  g.setSection("Gallery Text4", "{Top Ads}");  // template 1 shows no fourth text
  g.setSection("Gallery Footer", "{Side}");
  g.list = {"a.jpg"};
  RecordingHost host;
  FakePictures pictures;
  RunValues run;
  run.page = run.pageCount = 1;
  GalleryBanners& b = banners();
  PageContext c{snapshot, host, pictures, b, run};
  WriteGalleryPage(c);
  const std::vector<std::string> lines = PageLines(base + "/Gallery.html");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "  function WriteSide(){"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "  function WriteTop_Ads(){"), 1);
  const std::string call = kInlineCall + "Side()</script>";
  EXPECT_NE(std::find(lines.begin(), lines.end(), call + "|" + call), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), call), lines.end());
}

TEST_F(BannersTest, RunWritesEveryBanksScriptFileWhetherMarkedOrNot) {
  banks("One\r\nTwo\r\nThree\r\n");
  g.set("BaseDir", base + "/site").set("WriteScriptFile", 1).set("ScriptExt", "jsx");
  g.setSection("Two", "<B>2</B>\r\n");
  g.list = {"a.jpg"};
  RecordingHost host;
  FakePictures pictures;
  RunValues run;
  GalleryBanners& b = banners();
  PageContext c{snapshot, host, pictures, b, run};
  RunGeneration(c, nullptr, RunControls{});
  for (const char* f : {"One.jsx", "Two.jsx", "Three.jsx"})
    EXPECT_TRUE(std::filesystem::exists(base + "/site/" + f)) << f;
  EXPECT_EQ(ReadAll(base + "/site/Two.jsx").substr(0, 23), "Banner = new Array();\r\n");
}

}  // namespace
}  // namespace fw
