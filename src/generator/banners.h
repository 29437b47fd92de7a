// Banner banks: named lists of banners kept in the gallery's text-block file. A bank marker
// ("{" + bank name + "}") in a page text becomes a script that shows one of the bank's
// banners at random, either through an inline banner block on the page or through a script
// file of the bank's own in the site folder (`WriteScriptFile`).
#pragma once

#include <string>
#include <vector>

#include "generator/page_hooks.h"

namespace fw {

struct BannerBank;
struct GallerySettings;
struct GallerySnapshot;

// The bank name with every blank turned into "_": names the array, function and script file.
std::string ScriptName(const std::string& bank);
std::string BankMarker(const std::string& bank);

// A bank text cut into banners (banners apart by empty lines, the lines of one banner joined
// with nothing between them), each escaped for a single-quoted script string.
std::vector<std::string> SplitBanners(const std::string& bankText);
// Apostrophes as "\'" (by way of "$$$$", so a "$$$$" typed by the user comes out the same).
std::string EscapeBanner(const std::string& banner);

// The inline banner block of a bank: a SCRIPT element defining the banners and the function
// "Write" + script name; every line ends in CR LF.
std::string InlineBannerBlock(const std::string& bank, const std::vector<std::string>& banners);
// What a marker becomes: a call of the inline block's function, or an include of the
// bank's script file.
std::string BannerCall(const std::string& bank, bool scriptFile, const std::string& scriptExt);

// AddBackslash(BaseDir) + script name + "." + ScriptExt.
std::string ScriptFilePath(const GallerySettings& g, const std::string& bank);
// Writes the bank's script file; a bank without banners leaves it empty. A file that cannot
// be written raises the platform's file error.
void WriteBankScriptFile(const GallerySettings& g, const BannerBank& bank);

// The banner hooks of the page writers over the banks of a gallery's snapshot; each bank's
// block and call are put together once.
class GalleryBanners : public Banners {
 public:
  explicit GalleryBanners(const GallerySnapshot& values);

  std::vector<std::string> inlineBlocks(const std::vector<std::string>& texts) override;
  std::string replaceMarkers(const std::string& text) override;
  void writeScriptFiles() override;

 private:
  struct Bank {
    std::string marker, block, call;
  };
  const GallerySnapshot& values_;
  std::vector<Bank> banks_;
};

}  // namespace fw
