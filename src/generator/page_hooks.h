// What the page writers ask of the parts of the generator that are not pages of their own:
// the rotating-banner banks and the writer of the user's custom templates. With no banks the
// banner hooks change nothing.
#pragma once

#include <string>
#include <vector>

namespace fw {

struct PageContext;

class Banners {
 public:
  virtual ~Banners() = default;
  // The inline banner blocks a page needs: one text per bank, in bank-list order, for every
  // bank whose marker occurs in at least one of `texts`; each block ends in CR LF.
  virtual std::vector<std::string> inlineBlocks(const std::vector<std::string>& texts) = 0;
  // `text` with every bank marker replaced by its banner call.
  virtual std::string replaceMarkers(const std::string& text) = 0;
  // The script file of every bank, in bank-list order.
  virtual void writeScriptFiles() = 0;
};

// A gallery without banner banks.
class NoBanners : public Banners {
 public:
  std::vector<std::string> inlineBlocks(const std::vector<std::string>&) override { return {}; }
  std::string replaceMarkers(const std::string& text) override { return text; }
  void writeScriptFiles() override {}
};

class CustomPages {
 public:
  virtual ~CustomPages() = default;
  // Writes every page of the custom layout and leaves its page count in the run values.
  virtual void writePages(PageContext& context) = 0;
};

}  // namespace fw
