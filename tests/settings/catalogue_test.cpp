#include "settings/catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "common/text.h"

namespace fw {
namespace {

TEST(Catalogue, GalleryValuesStandInLoaderOrder) {
  auto gallery = CatalogueScope(Scope::Gallery);
  ASSERT_EQ(gallery.size(), 82u);
  for (std::size_t i = 0; i < gallery.size(); ++i) EXPECT_EQ(gallery[i]->order, int(i) + 1);
  // A few fixed points of the load order.
  EXPECT_EQ(gallery[0]->name, "ConvertToJpeg");
  EXPECT_EQ(gallery[7]->name, "Sorted");
  EXPECT_EQ(gallery[17]->name, "IsThumbPrefix");
  EXPECT_EQ(gallery[25]->name, "BaseDir");
  EXPECT_EQ(gallery[26]->name, "ImageDir");
  EXPECT_EQ(gallery[27]->name, "ThumbsDir");
  EXPECT_EQ(gallery[47]->name, "TableBackColor");
  EXPECT_EQ(gallery[70]->name, "NavPageBackColor");
  EXPECT_EQ(gallery[77]->name, "NavPagePrefix");
  EXPECT_EQ(gallery[78]->name, "Template");
  EXPECT_EQ(gallery[81]->name, "SmoothPictures");

  EXPECT_EQ(CatalogueScope(Scope::Application).size(), 7u);
  EXPECT_EQ(CatalogueScope(Scope::ImageProperties).size(), 9u);
  EXPECT_EQ(CatalogueScope(Scope::CustomTemplate).size(), 11u);
  // Application values come first, then the gallery values.
  EXPECT_EQ(Catalogue().front().scope, Scope::Application);
  EXPECT_EQ(Catalogue()[7].name, "ConvertToJpeg");
}

TEST(Catalogue, NamesAreUniqueWithinAKey) {
  std::set<std::string> galleryKey, appKey, galleryControls;
  for (const auto& e : Catalogue()) {
    auto& names = e.scope == Scope::Application ? appKey : galleryKey;
    EXPECT_TRUE(names.insert(LowerAscii(e.name)).second) << e.name;
    EXPECT_TRUE(EqualsNoCase(e.name, e.writeName)) << e.name;
    // Every main-window gallery value has a control of its own.
    if (e.scope == Scope::Gallery) {
      EXPECT_FALSE(e.control.empty()) << e.name;
      EXPECT_TRUE(galleryControls.insert(e.control).second) << e.control;
    }
  }
}

TEST(Catalogue, DefaultsAndRanges) {
  for (const auto& e : Catalogue()) {
    if (e.kind == Kind::Boolean) {
      EXPECT_TRUE(e.defaultInt == 0 || e.defaultInt == 1) << e.name;
    }
    if (e.bounded()) {
      EXPECT_EQ(e.bound(e.defaultInt), e.defaultInt) << e.name;
      EXPECT_GT(e.step, 0) << e.name;
    }
  }
  auto def = [](const char* name) {
    const CatalogueEntry* e = FindGalleryValue(name);
    EXPECT_NE(e, nullptr) << name;
    return e ? *e : CatalogueEntry{};
  };
  EXPECT_EQ(def("Template").defaultInt, 1);
  EXPECT_EQ(def("Rows").defaultInt, 2);
  EXPECT_EQ(def("Columns").defaultInt, 5);
  EXPECT_EQ(def("Columns").control, "Cols");
  EXPECT_EQ(def("ThumbSize").defaultInt, 100);
  EXPECT_EQ(def("ThumbSize").bound(500), 400);
  EXPECT_EQ(def("ThumbSize").bound(-3), 1);
  EXPECT_EQ(def("ThumbSize").step, 10);
  EXPECT_EQ(def("IsThumbPrefix").kind, Kind::Integer);
  EXPECT_EQ(def("IsThumbPrefix").defaultInt, 1);
  EXPECT_EQ(def("ImageDir").defaultText, "images");
  EXPECT_EQ(def("ThumbPrefix").defaultText, "Thumb-");
  EXPECT_EQ(def("TotalImagesText").defaultText, "Total images: ");
  EXPECT_EQ(def("BlankSpace").written, WriteMoment::Exit);
  EXPECT_EQ(def("BaseUrl").written, WriteMoment::Exit);
  EXPECT_EQ(def("UseImageShell").defaultInt, 1);
  EXPECT_EQ(def("IndexTableBackColor").defaultInt, 0x808000);
  EXPECT_EQ(def("GalleryBackColor").defaultInt, 0x800000);
  EXPECT_EQ(def("ImagePlaceHolder").defaultText, "<Image/>");
  EXPECT_EQ(def("ImageSize").maximum, 999999);
  EXPECT_EQ(def("ResizeJpegQuality").control, "ResizeJpegQualilty");

  const CatalogueEntry* backup = FindApplicationValue("backupdir");
  ASSERT_NE(backup, nullptr);
  EXPECT_EQ(backup->defaultText, "Backup");
  EXPECT_EQ(FindApplicationValue("ThumbSize"), nullptr);
  EXPECT_EQ(FindGalleryValue("Top"), nullptr);
  EXPECT_EQ(FindApplicationValue("Top")->defaultInt, 150);
  EXPECT_EQ(FindApplicationValue("Left")->defaultInt, 200);
}

TEST(Catalogue, TwoColoursAreWrittenUnderAnotherCase) {
  const CatalogueEntry* page = FindGalleryValue("NavPageBackColor");
  const CatalogueEntry* active = FindGalleryValue("navactivepagebackcolor");
  ASSERT_NE(page, nullptr);
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(page->writeName, "NavPageBackcolor");
  EXPECT_EQ(active->name, "NavActivePageBackColor");
  EXPECT_EQ(active->writeName, "NavActivePageBackcolor");
  EXPECT_EQ(FindGalleryValue("NavPageBackcolor"), page);
  int differing = 0;
  for (const auto& e : Catalogue()) differing += e.name != e.writeName;
  EXPECT_EQ(differing, 2);
}

}  // namespace
}  // namespace fw
