#include "generator/responsive_assets.h"

#include <algorithm>

#include "common/colours.h"
#include "common/paths.h"
#include "generator/page_file.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

std::string Px(int n) { return std::to_string(n) + "px"; }

// A picture address typed by the user as a quoted CSS url().
std::string CssUrl(const std::string& url) {
  std::string out = "url(\"";
  for (char ch : url) {
    if (ch == '"' || ch == '\\') out += '\\';
    if (ch == '\r' || ch == '\n') continue;
    out += ch;
  }
  return out + "\")";
}

std::string Colours(int back, int fore) {
  return "background-color:" + ColorToHtml(back) + ";color:" + ColorToHtml(fore);
}

std::string LinkColours(const std::string& scope, int link, int visited, int active) {
  return scope + " a{color:" + ColorToHtml(link) + "}\r\n" + scope +
         " a:visited{color:" + ColorToHtml(visited) + "}\r\n" + scope +
         " a:active{color:" + ColorToHtml(active) + "}\r\n";
}

// Body and link colours of gallery pages and, unless they follow the gallery's, of image
// pages. They come before the rules of the bars and cells, which keep their own colours.
std::string PageColours(const GallerySettings& g) {
  if (g.DefaultColors) return {};
  std::string css =
      "body{" + Colours(g.GalleryBackColor, g.GalleryForeColor) + "}\r\n" +
      LinkColours("body", g.GalleryLinkColor, g.GalleryVisitedLinkColor, g.GalleryActiveLinkColor);
  if (!g.UseGalleryColors)
    css +=
        ".picture{" + Colours(g.ImageBackColor, g.ImageForeColor) + "}\r\n" +
        LinkColours(".picture", g.ImageLinkColor, g.ImageVisitedLinkColor, g.ImageActiveLinkColor);
  return css;
}

std::string BackgroundPictures(const GallerySettings& g) {
  std::string css;
  if (!g.GalleryBackImage.empty()) {
    // The image's own colours never come with the gallery's background picture.
    const bool onPictures = g.DefaultColors || g.UseGalleryColors;
    css += std::string(onPictures ? ".gallery,.picture" : ".gallery") +
           "{background-image:" + CssUrl(g.GalleryBackImage) + "}\r\n";
  }
  if (!g.TableBackImage.empty())
    css += ".grid{background-image:" + CssUrl(g.TableBackImage) + "}\r\n";
  return css;
}

}  // namespace

std::string ResponsiveStyle(const GallerySettings& g) {
  // A cell is as wide as a thumbnail with its padding and border, but never wider than the
  // screen: the grid shows one column on the narrowest phone and as many as fit elsewhere.
  const int cell = g.ThumbSize + 2 * (g.CellPadding + g.TableBorder);
  // Wide screens show Columns cells a row, as the fixed layouts do.
  const int columns = std::max(1, g.Columns);
  const int grid = columns * cell + (columns - 1) * g.CellSpacing + 16;
  const std::string table = ColorToHtml(g.TableBackColor);
  std::string css =
      "*,::before,::after{box-sizing:border-box}\r\n"
      "body{margin:0;font-family:Arial,Helvetica,sans-serif;line-height:1.4}\r\n"
      "h1{font-size:1.5rem;text-align:center;margin:1rem}\r\n"
      "header,footer,.text{padding:0 1rem;overflow-wrap:anywhere}\r\n"
      "img{border:0}\r\n" +
      PageColours(g) +
      "nav{display:flex;flex-wrap:wrap;justify-content:center;gap:.25rem;margin:.75rem 1rem}\r\n"
      "nav a,nav span{display:inline-block;min-width:2.75rem;padding:.5rem .75rem;"
      "text-align:center;text-decoration:none;font-style:italic}\r\n"
      ".pages a,.pages span{border:" +
      Px(g.NavPageBorder) + " solid;" + Colours(g.NavPageBackColor, g.NavPageFontColor) + "}\r\n" +
      ".pages a:visited{color:" + ColorToHtml(g.NavPageFontColor) + "}\r\n" +
      ".pages [aria-current]{" + Colours(g.NavActivePageBackColor, g.NavActivePageFontColor) +
      "}\r\n" + ".bar a,.bar a:visited{font-weight:bold;font-size:" + Px(g.NavFontSize) + ";" +
      Colours(g.NavBackColor, g.NavFontColor) + "}\r\n" +
      ".grid{list-style:none;margin:1rem auto;padding:0 .5rem;max-width:" + Px(grid) +
      ";display:grid;gap:" + Px(g.CellSpacing) +
      ";grid-template-columns:repeat(auto-fill,minmax(min(100%," + Px(cell) + "),1fr))}\r\n" +
      ".grid li{display:flex;flex-direction:column;align-items:center;justify-content:center;"
      "padding:" +
      Px(g.CellPadding) + ";border:" + Px(g.TableBorder) + " outset " + table + ";" +
      Colours(g.TableBackColor, g.TableForeColor) + "}\r\n" +
      ".grid li a{color:inherit;text-decoration:none}\r\n"
      ".grid img{display:block;margin:0 auto;max-width:100%;height:auto}\r\n"
      // Captions may use the cell's padding, so that names break less often.
      ".caption{margin:.25rem -" +
      Px(g.CellPadding) + " 0;font-size:.8rem;text-align:center;overflow-wrap:anywhere}\r\n" +
      ".index .grid li{background-color:" + ColorToHtml(g.IndexTableBackColor) + "}\r\n" +
      ".totals{text-align:center;font-family:Verdana,sans-serif}\r\n"
      "figure{margin:0 auto;padding:0 .5rem;text-align:center}\r\n"
      "figure img{display:block;margin:0 auto;max-width:100%;height:auto;max-height:85vh;"
      "object-fit:contain}\r\n"
      ".credit{text-align:center;font-size:.75rem;font-style:italic;color:#66CCFF}\r\n"
      ".credit a,.credit a:visited{background-color:maroon;color:yellow;font-weight:bold;"
      "text-decoration:none;padding:0 .25rem}\r\n";
  return css + BackgroundPictures(g);
}

const std::string& ResponsiveScript() {
  static const std::string script =
      "(function () {\r\n"
      "  function follow(key) {\r\n"
      "    var link = document.querySelector('a[data-key=\"' + key + '\"]');\r\n"
      "    if (link) location.href = link.href;\r\n"
      "  }\r\n"
      "  document.addEventListener('keydown', function (e) {\r\n"
      "    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey || e.defaultPrevented) return;\r\n"
      "    var t = e.target;\r\n"
      "    if (t && (t.isContentEditable || /^(INPUT|SELECT|TEXTAREA)$/.test(t.tagName))) "
      "return;\r\n"
      "    if (/^(ArrowLeft|ArrowRight|Escape)$/.test(e.key)) follow(e.key);\r\n"
      "  });\r\n"
      "  var x = null, y = 0;\r\n"
      "  document.addEventListener('touchstart', function (e) {\r\n"
      "    x = e.touches.length === 1 ? e.touches[0].clientX : null;\r\n"
      "    if (x !== null) y = e.touches[0].clientY;\r\n"
      "  }, {passive: true});\r\n"
      "  document.addEventListener('touchend', function (e) {\r\n"
      "    if (x === null) return;\r\n"
      "    var t = e.changedTouches[0], dx = t.clientX - x, dy = t.clientY - y;\r\n"
      "    x = null;\r\n"
      "    if (Math.abs(dx) > 60 && Math.abs(dx) > 2 * Math.abs(dy))\r\n"
      "      follow(dx < 0 ? 'ArrowRight' : 'ArrowLeft');\r\n"
      "  }, {passive: true});\r\n"
      "})();\r\n";
  return script;
}

void WriteResponsiveAssets(const GallerySettings& g) {
  const std::string folder = AddBackslash(g.BaseDir);
  PageFile style(folder + kStyleFile);
  style.write(ResponsiveStyle(g));
  style.close();
  PageFile script(folder + kScriptFile);
  script.write(ResponsiveScript());
  script.close();
}

}  // namespace fw
