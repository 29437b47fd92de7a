#include "common/web_text.h"

#include <gtest/gtest.h>

#include "common/naming.h"

namespace fw {
namespace {

struct Row {
  std::string name, text, url;
};

TEST(WebText, NamesAsPageTextAndAsLinks) {
  const Row rows[] = {
      // Ordinary names keep every byte.
      {"shot_0 Big-one.~1.jpg", "shot_0 Big-one.~1.jpg", "shot_0 Big-one.~1.jpg"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e \xE6\x97\xA5\xF0\x9F\x93\xB7.jpg",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xE6\x97\xA5\xF0\x9F\x93\xB7.jpg",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xE6\x97\xA5\xF0\x9F\x93\xB7.jpg"},
      {"(1)+$!,;=@*.jpg", "(1)+$!,;=@*.jpg", "(1)+$!,;=@*.jpg"},
      // Markup never comes alive.
      {"q\"onmouseover=\"alert(1)\" x=\".jpg",
       "q&quot;onmouseover=&quot;alert(1)&quot; x=&quot;.jpg",
       "q%22onmouseover=%22alert(1)%22 x=%22.jpg"},
      {"<img src=x onerror=alert(2)>.jpg", "&lt;img src=x onerror=alert(2)&gt;.jpg",
       "%3Cimg src=x onerror=alert(2)%3E.jpg"},
      {"it's.jpg", "it&#39;s.jpg", "it%27s.jpg"},
      // What a URL would take for a fragment, a query, an escape, a scheme or a separator.
      {"b#1.jpg", "b#1.jpg", "b%231.jpg"},
      {"c?x=1.jpg", "c?x=1.jpg", "c%3Fx=1.jpg"},
      {"50%41.jpg", "50%41.jpg", "50%2541.jpg"},
      {"amp&amp.jpg", "amp&amp;amp.jpg", "amp%26amp.jpg"},
      {"C:x.jpg", "C:x.jpg", "C%3Ax.jpg"},
      {"a\\b[1]^`{|}.jpg", "a\\b[1]^`{|}.jpg", "a%5Cb%5B1%5D%5E%60%7B%7C%7D.jpg"},
      {"tab\there\nnew\x7F.jpg", "tab\there\nnew\x7F.jpg", "tab%09here%0Anew%7F.jpg"},
      // Bytes that are not UTF-8: a lone Latin-1 letter, a cut-off, an overlong form, a
      // surrogate and a code point past U+10FFFF.
      {"caf\xE9.jpg", "caf&#233;.jpg", "caf%E9.jpg"},
      {"x\xC3", "x&#195;", "x%C3"},
      {"\xC0\xAF", "&#192;&#175;", "%C0%AF"},
      {"\xED\xA0\x80", "&#237;&#160;&#128;", "%ED%A0%80"},
      {"\xF4\x90\x80\x80", "&#244;&#144;&#128;&#128;", "%F4%90%80%80"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(HtmlEscape(r.name), r.text) << r.name;
    EXPECT_EQ(UrlPath(r.name), r.url) << r.name;
    EXPECT_EQ(r.url.find_first_of("&<>\"'"), std::string::npos) << r.name;
  }
  EXPECT_EQ(UrlPath("my photos/2024#1/x.jpg"), "my photos/2024%231/x.jpg");  // folders stay
}

TEST(WebText, ScriptTextReadsAlikeInAnyCharacterSet) {
  EXPECT_EQ(AsciiScriptText("<b>Tom\\'s</b>"), "<b>Tom\\'s</b>");
  EXPECT_EQ(AsciiScriptText("Gr\xC3\xBC\xC3\x9F"
                            "e \xE2\x9C\x93 \xF0\x9F\x93\xB7 caf\xE9"),
            "Gr\\u00FC\\u00DFe \\u2713 \\uD83D\\uDCF7 caf\xE9");
}

TEST(WebText, Utf8Validity) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"));
  EXPECT_FALSE(IsValidUtf8("\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));      // cut short
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));  // overlong
  EXPECT_FALSE(IsValidUtf8("\x80"));
}

TEST(WebText, LinksOfTheNamingRules) {
  const NamingValues v{"/site", "my pics\\2024", "th#umbs", "T&", true, "G?", "html"};
  EXPECT_EQ(ImageUrl(v, "a#1.jpg"), "my pics/2024/a%231.jpg");
  EXPECT_EQ(ThumbnailUrl(v, "a#1.jpg"), "th%23umbs/T%26a%231.jpg");
  EXPECT_EQ(ImagePageUrl(v, "a#1.jpg"), "a%231.html");
  EXPECT_EQ(GalleryPageUrl(v, 2, 3), "G%3F2.html");
  // The files themselves keep their names.
  EXPECT_EQ(ImagePagePath(v, "a#1.jpg"), "/site/a#1.html");
  EXPECT_EQ(GalleryPagePath(v, 2, 3), "/site/G?2.html");
}

}  // namespace
}  // namespace fw
