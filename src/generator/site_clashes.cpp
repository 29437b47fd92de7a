#include "generator/site_clashes.h"

#include <string>

#include "common/naming.h"
#include "generator/banners.h"
#include "generator/custom_pages.h"
#include "generator/layout.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

using Claim = NameClashes::Claim;

void ClaimFixedPages(NameClashes& clashes, const NameClashes::Folder& site,
                     const GallerySnapshot& g) {
  const NamingValues names = NamingOf(g);
  const int pages =
      PageCount(g.Template, g.Rows, g.Columns, static_cast<int>(g.images.size()), nullptr);
  for (int n = 1; n <= pages; ++n)
    clashes.claim(site, GalleryPageName(names, n, pages), Claim::Write,
                  "gallery page " + std::to_string(n));
  if (g.UseImageShell && pages > 0)
    for (const std::string& image : g.images)
      clashes.claim(site, ImagePageName(names, image), Claim::Write, "the image page of " + image);
  clashes.claim(site, g.IndexFile, Claim::Write, "the index page");
  if (g.WriteScriptFile)
    for (const BannerBank& bank : g.banks)
      clashes.claim(site, ScriptName(bank.name) + "." + g.ScriptExt, Claim::Write,
                    "the script file of the banner bank " + bank.name);
}

void ClaimCustomPages(NameClashes& clashes, const NameClashes::Folder& site,
                      const GallerySnapshot& g) {
  const int pages = CustomPageCount(g);
  for (int p = 1; p <= pages; ++p)
    clashes.claim(site, CustomGalleryPageName(g, p), Claim::Write,
                  "gallery page " + std::to_string(p));
  if (g.UseCustomImageShell && pages > 0)
    for (const std::string& image : g.images)
      clashes.claim(site, CustomImagePageName(g, image), Claim::Write,
                    "the image page of " + image);
}

}  // namespace

NameClashes FindSiteClashes(const GallerySnapshot& g) {
  NameClashes clashes;
  ClaimPictures(clashes, NamingOf(g), g.images);
  const NameClashes::Folder site = NameClashes::Resolve(g.BaseDir);
  if (g.Template == kCustomTemplate)
    ClaimCustomPages(clashes, site, g);
  else
    ClaimFixedPages(clashes, site, g);
  return clashes;
}

}  // namespace fw
