// The catalogue table. Gallery values stand in the order the profile loader reads them; that
// order is visible to the user (a value of the wrong kind stops the load where it stands), so
// entries must not be re-sorted. `BackupDir` holds only the part after the application folder.
// The layout value `Template` is edited by the radio buttons Template1 to Template13; its
// control name is their common stem.
#include "settings/catalogue.h"

#include "common/subs.h"

namespace fw {

namespace {

using K = Kind;
using W = WriteMoment;

CatalogueEntry Entry(Scope scope, const char* name, Kind kind, const char* control, const char* tab,
                     const char* label, WriteMoment written) {
  CatalogueEntry e;
  e.name = e.writeName = name;
  e.kind = kind;
  e.control = control;
  e.tab = tab;
  e.label = label;
  e.written = written;
  e.scope = scope;
  return e;
}

CatalogueEntry Text(Scope scope, const char* name, const char* def, const char* control,
                    const char* tab, const char* label, WriteMoment written) {
  CatalogueEntry e = Entry(scope, name, K::String, control, tab, label, written);
  e.defaultText = def;
  return e;
}

CatalogueEntry Flag(Scope scope, const char* name, bool def, const char* control, const char* tab,
                    const char* label) {
  CatalogueEntry e = Entry(scope, name, K::Boolean, control, tab, label, W::Click);
  e.defaultInt = def ? 1 : 0;
  return e;
}

CatalogueEntry Number(Scope scope, const char* name, int def, const char* control, const char* tab,
                      const char* label, WriteMoment written) {
  CatalogueEntry e = Entry(scope, name, K::Integer, control, tab, label, written);
  e.defaultInt = def;
  return e;
}

CatalogueEntry Spin(Scope scope, const char* name, int def, int minimum, int maximum, int step,
                    const char* control, const char* tab, const char* label) {
  CatalogueEntry e = Number(scope, name, def, control, tab, label, W::Change);
  e.minimum = minimum;
  e.maximum = maximum;
  e.step = step;
  return e;
}

CatalogueEntry Colour(const char* name, int def, const char* control, const char* tab,
                      const char* label) {
  return Number(Scope::Gallery, name, def, control, tab, label, W::Click);
}

constexpr Scope A = Scope::Application;
constexpr Scope G = Scope::Gallery;
constexpr Scope P = Scope::ImageProperties;
constexpr Scope C = Scope::CustomTemplate;

const char* const kDirs = "Directories";
const char* const kSource = "Directories, group \" Image source \"";
const char* const kLayout = "Thumbnails, Layout";
const char* const kOptions = "Thumbnails, Options";
const char* const kIndex = "Index Page";
const char* const kStatic = "Index Page, group \" Static text \"";
const char* const kGallery = "Gallery Page";
const char* const kImage = "Image Page";
const char* const kNavGallery = "Navigation, Gallery page";
const char* const kNavImage = "Navigation, Image Page";
const char* const kAdvanced = "Advanced";
const char* const kBackup = "Backup";
const char* const kWindow = "Main window";
const char* const kProps = "Image Properties";
const char* const kCustom = "Custom Template Options";

std::vector<CatalogueEntry> Build() {
  std::vector<CatalogueEntry> t = {
      Number(A, "SelectedGallery", 0, "lstGalleries", kWindow, "", W::Shutdown),
      Number(A, "SelectedReport", 0, "cmbReports", kWindow, "", W::Shutdown),
      Number(A, "Top", 150, "", kWindow, "", W::Shutdown),
      Number(A, "Left", 200, "", kWindow, "", W::Shutdown),
      Text(A, "CustomColors", "", "", kWindow, "", W::Shutdown),
      Text(A, "BackupDir", "Backup", "edtBackupDir", kBackup, "Directory", W::Exit),
      Number(A, "BackupGroupHeight", 120, "grpBackup", kBackup, "", W::Click),

      Flag(G, "ConvertToJpeg", false, "ConvertToJpeg", kSource, "Convert to Jpeg"),
      Flag(G, "SourceResizedImageIsProgressive", false, "chkIsProgressive", kSource, "Progressive"),
      Spin(G, "JpegQuality", 75, 1, 100, 5, "JpegQuality", kSource, "Jpeg quality (%)"),
      Flag(G, "SourceResizeByDimensions", false, "chkResizeByDimensions", kSource,
           "Resize if image larger than"),
      Spin(G, "SourceMaxImageWidth", 800, 100, 2000, 100, "spinMaxWidth", kSource, ""),
      Spin(G, "SourceMaxImageHeight", 600, 100, 2000, 100, "spinMaxHeight", kSource, "x"),
      Flag(G, "DisableBanner", false, "DisableBanner", kDirs, "Disable banner"),
      Flag(G, "Sorted", false, "chkSort", kDirs, "Sorted"),
      Flag(G, "DefaultColors", false, "chkDefColors", kGallery, "Default colors"),
      Flag(G, "UseImageShell", true, "chkImageShell", kGallery, "Use image shell"),
      Flag(G, "UseGalleryColors", true, "UseGalleryCols", kImage, "Use gallery page colors"),
      Flag(G, "DisablePageLinks", false, "DisablePageLinks", kIndex, "Disable page links"),
      Flag(G, "ShowImageName", false, "ShowImageName", kOptions, "Show image name"),
      Flag(G, "CleanImageName", false, "CleanImageName", kOptions,
           "Replace '_' with space && remove ext"),
      Flag(G, "ImagePageShowImageName", false, "ImagePageShowImageName", kImage,
           "Show image name (replace '_' with space && remove ext)"),
      Flag(G, "ShowImageDimensions", false, "ShowImageDimensions", kOptions,
           "Show image dimensions"),
      Flag(G, "ShowImageSize", false, "ShowImageSize", kOptions, "Show image size"),
      Number(G, "IsThumbPrefix", 1, "optIsThumbPrefix", kOptions, "", W::Click),
      Flag(G, "IncIndexLink", true, "IncIndexLink", kNavGallery, "Include index link"),
      Flag(G, "ShowTopImageNavRow", true, "chkShowTopImageNavRow", kNavImage,
           "Show top navigation bar"),
      Flag(G, "ShowBottomImageNavRow", true, "chkShowBottomImageNavRow", kNavImage,
           "Show bottom navigation bar"),
      Flag(G, "ShowTopGalleryNavRow", true, "chkShowTopGalleryNavRow", kNavGallery,
           "Show top navigation bar"),
      Flag(G, "ShowBottomGalleryNavRow", true, "chkShowBottomGalleryNavRow", kNavGallery,
           "Show bottom navigation bar"),
      Text(G, "ImageSourceDir", "", "ImageSourceDir", kSource, "Directory", W::Change),
      Text(G, "BaseUrl", "", "BaseUrl", kDirs, "Base URL", W::Exit),
      Text(G, "BaseDir", "", "BaseDir", kDirs, "Base directory (for html)", W::Change),
      Text(G, "ImageDir", "images", "ImageDir", kDirs, "Image subdirectory", W::Change),
      Text(G, "ThumbsDir", "thumbs", "ThumbsDir", kDirs, "Thumbnails subdirectory", W::Change),
      Text(G, "ThumbPrefix", "Thumb-", "ThumbPrefix", kOptions, "Text", W::Change),
      Text(G, "IndexFile", "index.html", "IndexFile", kIndex, "Index file name", W::Exit),
      Text(G, "IndexTitle", "Picture Gallery Index", "IndexTitle", kIndex, "Page title", W::Exit),
      Spin(G, "ThumbSize", 100, 1, 400, 10, "ThumbSize", kOptions, "Size (pixels)"),
      Spin(G, "CellSpacing", 0, 0, 100, 1, "CellSpacing", kOptions, "Spacing"),
      Spin(G, "CellPadding", 20, 0, 100, 1, "CellPadding", kOptions, "Padding"),
      Spin(G, "TableBorder", 5, 0, 100, 1, "TableBorder", kOptions, "Border"),
      Spin(G, "Rows", 2, 1, 100, 1, "Rows", kLayout, "Rows"),
      Spin(G, "Columns", 5, 1, 100, 1, "Cols", kLayout, "Cols"),
      Text(G, "TableBackImage", "", "TableBackImage", kOptions, "URL for table background image",
           W::Exit),
      Text(G, "GalleryPrefix", "Gallery", "GalleryPrefix", kGallery, "Page prefix", W::Exit),
      Text(G, "DocExtension", "html", "PageExt", kGallery, "Ext", W::Exit),
      Text(G, "GalleryBackImage", "", "GalleryBackImage", kGallery, "Background image URL",
           W::Exit),
      Text(G, "GalleryTitle", "Picture Gallery", "GalleryTitle", kGallery, "Page title", W::Exit),
      Text(G, "ImageTitle", "Picture Gallery", "ImageTitle", kImage, "Page title", W::Exit),
      Text(G, "IndexLinkText", "Index Page", "edtIndexLink", kNavGallery, "Index link text",
           W::Exit),
      Text(G, "BlankSpace", "_", "BlankSpace", kDirs, "Replace blank space in filename with",
           W::Exit),
      Text(G, "TotalImagesText", "Total images: ", "edtTotalImages", kStatic, "Total images",
           W::Exit),
      Text(G, "TotalPagesText", "Total pages: ", "edtTotalPages", kStatic, "Total pages", W::Exit),
      Colour("TableBackColor", 0xC0C0C0, "butTableBackColor", kOptions, "Back color"),
      Colour("TableForeColor", 0x000000, "butTableForeColor", kOptions, "Fore color"),
      Colour("IndexTableBackColor", 0x808000, "butIndexTableBackColor", kIndex, "Table backcolor"),
      Colour("GalleryForeColor", 0xFFFF00, "butGalleryForeColor", kGallery, "Foreground"),
      Colour("GalleryBackColor", 0x800000, "butGalleryBackColor", kGallery, "Background"),
      Colour("GalleryLinkColor", 0x00FF00, "butGalleryLinkColor", kGallery, "Link"),
      Colour("GalleryVisitedLinkColor", 0x00FFFF, "butGalleryVisitedLinkColor", kGallery,
             "Visited link"),
      Colour("GalleryActiveLinkColor", 0x0000FF, "butGalleryActiveLinkColor", kGallery,
             "Active link"),
      Colour("ImageForeColor", 0x000000, "butImageForeColor", kImage, "Foreground"),
      Colour("ImageBackColor", 0xFFFFFF, "butImageBackColor", kImage, "Background"),
      Colour("ImageLinkColor", 0xFF0000, "butImageLinkColor", kImage, "Link"),
      Colour("ImageVisitedLinkColor", 0x000080, "butImageVisitedLinkColor", kImage, "Visited link"),
      Colour("ImageActiveLinkColor", 0x0000FF, "butImageActiveLinkColor", kImage, "Active link"),
      Flag(G, "WriteScriptFile", false, "WriteScriptFile", kAdvanced, "Write script file"),
      Text(G, "ScriptExt", "js", "edtScriptExt", kAdvanced, "Script file ext", W::Exit),
      Spin(G, "NavCellSpacing", 0, 0, 100, 1, "NavSpacing", kNavImage, "Spacing"),
      Spin(G, "NavCellPadding", 10, 0, 100, 1, "NavPadding", kNavImage, "Padding"),
      Spin(G, "NavBorder", 5, 0, 100, 1, "NavBorder", kNavImage, "Border"),
      Spin(G, "NavPageBorder", 1, 0, 20, 1, "PageBorder", kNavGallery, "Border"),
      Spin(G, "ButtonsPerRow", 20, 1, 40, 1, "ButtonsPerRow", kNavGallery, "Buttons per row"),
      Spin(G, "NavFontSize", 14, 1, 100, 1, "NavFontSize", kNavImage, "Font size"),
      Colour("NavBackColor", 0xC0C0C0, "butNavBackColor", kNavImage, "Backcolor"),
      Colour("NavFontColor", 0x800000, "butNavFontColor", kNavImage, "Font color"),
      Colour("NavPageBackColor", 0xFF00FF, "butPageBackColor", kNavGallery, "Back color"),
      Colour("NavPageFontColor", 0xFFFF00, "butPageFontColor", kNavGallery, "Font color"),
      Colour("NavActivePageBackColor", 0xFFFF00, "butActivePageBackColor", kNavGallery,
             "Selected back color"),
      Colour("NavActivePageFontColor", 0xFF00FF, "butActivePageFontColor", kNavGallery,
             "Selected font color"),
      Text(G, "NavPrevText", "Previous", "edtPrevious", kNavImage, "PREVIOUS caption", W::Exit),
      Text(G, "NavNextText", "Next", "edtNext", kNavImage, "NEXT caption", W::Exit),
      Text(G, "NavBackToGalleryText", "Back to gallery", "edtBackToGallery", kNavImage,
           "BACK TO GALLERY caption", W::Exit),
      Text(G, "NavPagePrefix", "", "edtPagePrefix", kNavGallery, "Page prefix", W::Exit),
      Number(G, "Template", 1, "Template", kLayout, "", W::Click),

      Spin(P, "ResizeJpegQuality", 75, 1, 100, 5, "ResizeJpegQualilty", kProps, "Jpeg quality"),
      Spin(P, "MaxImageWidth", 1024, 100, 2000, 100, "spinMaxWidth", kProps, "Width"),
      Spin(P, "MaxImageHeight", 768, 100, 2000, 100, "spinMaxHeight", kProps, "Height"),
      Spin(P, "ImageSize", 100, 0, 999999, 5, "spinImageSize", kProps, "kb"),
      Flag(P, "ResizedImageIsProgressive", true, "chkIsProgressive", kProps, "Progressive"),
      Flag(P, "ResizeByDimensions", true, "chkResizeByDimensions", kProps,
           "Resize if image larger than max dimensions"),
      Flag(P, "RecompressAllImages", false, "chkRecompressAllImages", kProps,
           "Re-compress all other images (no resize)"),
      Flag(P, "ResizeBySize", false, "chkResizeBySize", kProps, "Resize if image larger than "),
      Flag(P, "RecompressBySize", false, "chkRecompressBySize", kProps,
           "Re-compress only (no resize)"),

      Text(C, "CustomGalleryTemplate", "", "", kCustom, "Gallery template file name", W::Change),
      Text(C, "CustomGalleryPrefix", "Gallery", "", kCustom, "Page prefix", W::Exit),
      Text(C, "CustomGalleryExt", "html", "", kCustom, "Ext", W::Exit),
      Text(C, "ImagePlaceHolder", "<Image/>", "", kCustom, "Image place holder", W::Exit),
      Text(C, "ThumbPlaceHolder", "<Thumb/>", "", kCustom, "Thumbnail place holder", W::Exit),
      Flag(C, "UseCustomImageShell", false, "", kCustom, "Use image shell"),
      Text(C, "CustomImageTemplate", "", "", kCustom, "Image template file name", W::Change),
      Text(C, "ImagePagePlaceHolder", "<Image/>", "", kCustom, "Image place holder", W::Exit),
      Text(C, "PreviousPlaceHolder", "<Previous/>", "", kCustom, "'Previous' place holder",
           W::Exit),
      Text(C, "NextPlaceHolder", "<Next/>", "", kCustom, "'Next' place holder", W::Exit),
      Text(C, "GalleryPlaceHolder", "<Gallery/>", "", kCustom, "'Gallery' place holder", W::Exit),
  };
  int order = 0;
  for (auto& e : t) {
    if (e.scope == G) e.order = ++order;
    // The two page-button colours are written under a name in another letter case; the
    // store compares names without case, so both forms reach the same value.
    if (e.name == "NavPageBackColor") e.writeName = "NavPageBackcolor";
    if (e.name == "NavActivePageBackColor") e.writeName = "NavActivePageBackcolor";
  }
  return t;
}

const CatalogueEntry* Find(std::string_view name, bool gallery) {
  for (const auto& e : Catalogue()) {
    bool inScope = gallery ? e.scope == G || e.scope == P || e.scope == C : e.scope == A;
    if (inScope && (EqualsNoCase(e.name, name) || EqualsNoCase(e.writeName, name))) return &e;
  }
  return nullptr;
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> table = Build();
  return table;
}

std::vector<const CatalogueEntry*> CatalogueScope(Scope scope) {
  std::vector<const CatalogueEntry*> out;
  for (const auto& e : Catalogue())
    if (e.scope == scope) out.push_back(&e);
  return out;
}

const CatalogueEntry* FindGalleryValue(std::string_view name) { return Find(name, true); }

const CatalogueEntry* FindApplicationValue(std::string_view name) { return Find(name, false); }

}  // namespace fw
