// Gallery values held in maps for tests: any value not set reads as its catalogue default,
// names compare without regard to ASCII case, and the image list is whatever the test sets.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/gallery_values.h"
#include "common/text.h"
#include "settings/catalogue.h"

namespace fw::testing {

class MapGallery : public GalleryValues {
 public:
  std::map<std::string, std::string> texts;
  std::map<std::string, int> numbers;
  std::map<std::string, std::string> sections;
  std::vector<std::string> list;

  MapGallery& set(const std::string& name, const std::string& v) {
    texts[LowerAscii(name)] = v;
    return *this;
  }
  MapGallery& set(const std::string& name, int v) {
    numbers[LowerAscii(name)] = v;
    return *this;
  }
  MapGallery& setSection(const std::string& name, const std::string& v) {
    sections[LowerAscii(name)] = v;
    return *this;
  }

  std::string text(std::string_view name) const override {
    auto it = texts.find(LowerAscii(name));
    if (it != texts.end()) return it->second;
    const CatalogueEntry* e = FindGalleryValue(name);
    return e ? e->defaultText : std::string();
  }
  int integer(std::string_view name) const override {
    auto it = numbers.find(LowerAscii(name));
    if (it != numbers.end()) return it->second;
    const CatalogueEntry* e = FindGalleryValue(name);
    return e ? e->defaultInt : 0;
  }
  bool flag(std::string_view name) const override { return integer(name) != 0; }
  std::string section(std::string_view name) const override {
    auto it = sections.find(LowerAscii(name));
    return it == sections.end() ? std::string() : it->second;
  }
  std::vector<std::string> images() const override { return list; }
  void reloadImages() override {}
  std::string galleryName() const override { return "Test"; }
  std::string galleryKey() const override { return "Galleries\\Test"; }
  std::string appFolder() const override { return "/tmp/"; }
};

}  // namespace fw::testing
