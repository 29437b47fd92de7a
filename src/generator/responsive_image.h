// The image page of the responsive layout: the picture fitted to the screen (a display copy
// in place of an original too wide for any screen, the original offered for denser ones), its
// name, and the bar to its neighbours and back to its gallery page, which the arrow keys,
// Escape and swipes follow. The next picture is fetched ahead while the visitor looks.
#pragma once

#include <string>

#include "common/naming.h"
#include "generator/navigation.h"

namespace fw {

struct PageContext;

// What an img element of the responsive layout needs: src and, when the picture comes in more
// than one size, srcset and sizes (all ready for an attribute).
struct ShownPicture {
  std::string src, srcset, sizes;
  int width = 0, height = 0;
};

// The text that names `image` for those who cannot see it: its caption's name.
std::string PictureName(bool clean, const std::string& image);

class ResponsiveImageWriter {
 public:
  explicit ResponsiveImageWriter(PageContext& c);
  // Writes the page of `image`, the picture at the run's cursor.
  void write(const std::string& image);

 private:
  ShownPicture shown(const std::string& image);
  std::string bar(BarPlace place) const;

  PageContext& c_;
  NamingValues names_;
  std::string imageFolder_, thumbFolder_;
  std::string top_, footer_;
};

}  // namespace fw
