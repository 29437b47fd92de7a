#include "images/store_gallery_values.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "settings/store.h"
#include "settings/textblock.h"
#include "support/fixtures.h"

namespace fw {
namespace {

class ProfileValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<Store>(dir_ + "/settings.db");
  }

  std::string key() const { return std::string(kTestSettingsRoot) + "\\Galleries\\My gallery"; }
  StoreGalleryValues values() const {
    return StoreGalleryValues(*store_, kTestSettingsRoot, "My gallery", dir_);
  }

  test::TempDir tmp_;
  std::string dir_ = tmp_.path();
  std::unique_ptr<Store> store_;
};

TEST_F(ProfileValuesTest, ReadsTheGalleryKeyWithCatalogueDefaults) {
  auto g = values();
  EXPECT_EQ(g.galleryKey(), key());
  EXPECT_EQ(g.appFolder(), dir_ + "/");
  EXPECT_EQ(g.textBlockFile(), dir_ + "/My gallery.dat");
  EXPECT_EQ(g.text("ImageDir"), "images");
  EXPECT_EQ(g.integer("Template"), 1);
  EXPECT_EQ(g.integer("NavPageBackColor"), 0xFF00FF);
  EXPECT_TRUE(g.flag("UseImageShell"));
  EXPECT_EQ(g.text("NotInTheCatalogue"), "");
  EXPECT_FALSE(store_->KeyExists(key()));  // reading creates nothing

  store_->RegWriteString(key(), "ImageDir", "");
  store_->RegWriteInteger(key(), "NavPageBackcolor", 0x010203);
  store_->RegWriteInteger(key(), "ThumbSize", 500);
  store_->RegWriteInteger(key(), "ButtonsPerRow", 0);
  store_->RegWriteBool(key(), "UseImageShell", false);
  // No snapshot: each read sees the store as it is now.
  EXPECT_EQ(g.text("ImageDir"), "");
  EXPECT_EQ(g.integer("NavPageBackColor"), 0x010203);
  EXPECT_EQ(g.integer("ThumbSize"), 400);  // held within the spin's range
  EXPECT_EQ(g.integer("ButtonsPerRow"), 1);
  EXPECT_FALSE(g.flag("UseImageShell"));

  store_->RegWriteString(key(), "Rows", "lots");
  EXPECT_THROW(g.integer("Rows"), Error);
}

TEST_F(ProfileValuesTest, ImageListIsKeptUntilReloaded) {
  std::filesystem::create_directories(dir_ + "/site/pics");
  std::ofstream(dir_ + "/site/pics/b.jpg") << "x";
  std::ofstream(dir_ + "/site/pics/Thumb-b.jpg") << "x";
  auto g = values();
  EXPECT_TRUE(g.images().empty());  // no base folder yet

  store_->RegWriteString(key(), "BaseDir", dir_ + "/site");
  store_->RegWriteString(key(), "ImageDir", "pics");
  store_->RegWriteBool(key(), "Sorted", true);
  EXPECT_TRUE(g.images().empty());  // the list stands until it is reloaded
  g.reloadImages();
  EXPECT_EQ(g.images(), std::vector<std::string>{"b.jpg"});

  std::ofstream(dir_ + "/site/pics/a.gif") << "x";
  EXPECT_EQ(g.images().size(), 1u);
  g.reloadImages();
  EXPECT_EQ(g.images(), (std::vector<std::string>{"a.gif", "b.jpg"}));

  // A fresh object scans on first use.
  EXPECT_EQ(values().images().size(), 2u);
}

TEST_F(ProfileValuesTest, SectionsComeFromTheGalleryTextBlockFile) {
  auto g = values();
  EXPECT_EQ(g.section("Gallery Header"), "");
  std::ofstream(g.textBlockFile(), std::ios::binary)
      << "[Gallery Header]\r\nA\r\nB\r\n\r\n####\r\n";
  EXPECT_EQ(g.section("Gallery Header"), ReadSection(g.textBlockFile(), "Gallery Header"));
  EXPECT_NE(g.section("Gallery Header").find("A\r\nB"), std::string::npos);
  StoreGalleryValues other(*store_, kTestSettingsRoot, "Other", dir_ + "/");
  EXPECT_EQ(other.section("Gallery Header"), "");
}

}  // namespace
}  // namespace fw
