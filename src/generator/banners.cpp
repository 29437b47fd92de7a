#include "generator/banners.h"

#include <algorithm>

#include "common/gallery_values.h"
#include "common/subs.h"
#include "generator/page_file.h"
#include "settings/textblock.h"

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

std::vector<std::string> BankNames(const GalleryValues& g) {
  std::vector<std::string> names = SplitLines(g.section(kBankListSection));
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return LowerAscii(a) < LowerAscii(b);
  });
  return names;
}

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
    return "<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\" SRC=\"" + s + "." + scriptExt +
           "\"></SCRIPT>";
  return "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">Write" + s + "()</script>";
}

std::string ScriptFilePath(const GalleryValues& g, const std::string& bank) {
  return AddBackslash(g.text("BaseDir")) + ScriptName(bank) + "." + g.text("ScriptExt");
}

void WriteBankScriptFile(const GalleryValues& g, const std::string& bank) {
  PageFile file(ScriptFilePath(g, bank));
  const std::vector<std::string> banners = SplitBanners(g.section(bank));
  if (!banners.empty()) {
    file.line("Banner = new Array();");
    for (std::size_t j = 0; j < banners.size(); ++j)
      file.line("Banner[" + std::to_string(j + 1) + "] = '" + banners[j] + "';");
    file.line("var i = Math.round(Math.random() * " + std::to_string(banners.size()) + " + 0.5);");
    file.line("document.write(Banner[i]);");
  }
  file.close();
}

std::vector<std::string> GalleryBanners::inlineBlocks(const std::vector<std::string>& texts) {
  std::vector<std::string> blocks;
  // With script files the markers include those files; the page carries no block.
  if (values_.flag("WriteScriptFile")) return blocks;
  for (const std::string& bank : BankNames(values_))
    if (ContainsAny(texts, BankMarker(bank)))
      blocks.push_back(InlineBannerBlock(bank, SplitBanners(values_.section(bank))));
  return blocks;
}

std::string GalleryBanners::replaceMarkers(const std::string& text) {
  const std::vector<std::string> banks = BankNames(values_);
  if (banks.empty()) return text;
  const bool scriptFile = values_.flag("WriteScriptFile");
  const std::string ext = values_.text("ScriptExt");
  std::string result = text;
  for (const std::string& bank : banks) {
    const std::string marker = BankMarker(bank);
    if (result.find(marker) != std::string::npos)
      result = ReplaceAll(result, marker, BannerCall(bank, scriptFile, ext));
  }
  return result;
}

void GalleryBanners::writeScriptFiles() {
  for (const std::string& bank : BankNames(values_)) WriteBankScriptFile(values_, bank);
}

}  // namespace fw
