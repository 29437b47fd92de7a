#include "generator/banners.h"

#include <algorithm>

#include "common/paths.h"
#include "common/text.h"
#include "common/web_text.h"
#include "generator/page_file.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kParagraph = "\r\n\r\n";
// Stands for a banner break while the lines of each banner are joined: five pound signs of
// the Windows-1252 code page, which a bank text is not expected to hold.
const std::string kBreakMarker(5, '\xA3');

// Lines cut at CR, LF or CR LF; a final line break adds no empty line.
std::vector<std::string> CutLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  bool open = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += ch;
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

bool ContainsAny(const std::vector<std::string>& texts, const std::string& pattern) {
  for (const std::string& t : texts)
    if (t.find(pattern) != std::string::npos) return true;
  return false;
}

}  // namespace

std::string ScriptName(const std::string& bank) { return ReplaceAll(bank, " ", "_"); }

std::string BankMarker(const std::string& bank) { return "{" + bank + "}"; }

std::string EscapeBanner(const std::string& banner) {
  return ReplaceAll(ReplaceAll(banner, "'", "$$$$"), "$$$$", "\\'");
}

std::vector<std::string> SplitBanners(const std::string& bankText) {
  std::string text = ReplaceAll(bankText, kParagraph, kBreakMarker);
  text = ReplaceAll(text, kCrLf, "");
  text = ReplaceAll(text, kBreakMarker, kCrLf);
  text = ReplaceAll(text, kParagraph, kCrLf);
  std::vector<std::string> banners = CutLines(text);
  for (std::string& b : banners) b = EscapeBanner(b);
  return banners;
}

std::string InlineBannerBlock(const std::string& bank, const std::vector<std::string>& banners) {
  const std::string s = ScriptName(bank);
  const std::string n = std::to_string(banners.size());
  std::string block = "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">\r\n";
  block += "  " + s + " = new Array();\r\n";
  for (std::size_t j = 0; j < banners.size(); ++j)
    block += "  " + s + "[" + std::to_string(j + 1) + "] = '" + banners[j] + "';\r\n";
  block += "  function Write" + s + "(){\r\n";
  block += "    var i = Math.round(Math.random() * " + n + " + 0.5);\r\n";
  block += "    document.write(" + s + "[i]);\r\n";
  block += "  }\r\n";
  block += "</script>\r\n";
  return block;
}

std::string BannerCall(const std::string& bank, bool scriptFile, const std::string& scriptExt) {
  const std::string s = ScriptName(bank);
  if (scriptFile)
    return "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\" SRC=\"" +
           UrlPath(s + "." + scriptExt) + "\"></SCRIPT>";
  return "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">Write" + s + "()</script>";
}

std::string ScriptFilePath(const GallerySettings& g, const std::string& bank) {
  return AddBackslash(g.BaseDir) + ScriptName(bank) + "." + g.ScriptExt;
}

void WriteBankScriptFile(const GallerySettings& g, const BannerBank& bank) {
  PageFile file(ScriptFilePath(g, bank.name));
  const std::vector<std::string> banners = SplitBanners(bank.text);
  if (!banners.empty()) {
    file.line("Banner = new Array();");
    for (std::size_t j = 0; j < banners.size(); ++j)
      file.line("Banner[" + std::to_string(j + 1) + "] = '" + AsciiScriptText(banners[j]) + "';");
    file.line("var i = Math.round(Math.random() * " + std::to_string(banners.size()) + " + 0.5);");
    file.line("document.write(Banner[i]);");
  }
  file.close();
}

GalleryBanners::GalleryBanners(const GallerySnapshot& values) : values_(values) {
  for (const BannerBank& bank : values.banks)
    banks_.push_back({BankMarker(bank.name), InlineBannerBlock(bank.name, SplitBanners(bank.text)),
                      BannerCall(bank.name, values.WriteScriptFile, values.ScriptExt)});
}

std::vector<std::string> GalleryBanners::inlineBlocks(const std::vector<std::string>& texts) {
  std::vector<std::string> blocks;
  // With script files the markers include those files; the page carries no block.
  if (values_.WriteScriptFile) return blocks;
  for (const Bank& bank : banks_)
    if (ContainsAny(texts, bank.marker)) blocks.push_back(bank.block);
  return blocks;
}

std::string GalleryBanners::replaceMarkers(const std::string& text) {
  std::string result = text;
  for (const Bank& bank : banks_)
    if (result.find(bank.marker) != std::string::npos)
      result = ReplaceAll(result, bank.marker, bank.call);
  return result;
}

void GalleryBanners::writeScriptFiles() {
  for (const BannerBank& bank : values_.banks) WriteBankScriptFile(values_, bank);
}

}  // namespace fw
