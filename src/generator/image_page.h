// The page of one picture: the picture at full size in a thin frame, its texts and the bar to
// its neighbours and back to the gallery page that shows it.
#pragma once

#include <string>

#include "common/naming.h"
#include "generator/navigation.h"

namespace fw {

struct PageContext;

// Writes image pages; what every image page of a run shares is put together once.
class ImagePageWriter {
 public:
  explicit ImagePageWriter(PageContext& c);
  // Writes the page of `image`, the picture at the run's cursor.
  void write(const std::string& image);

 private:
  PageContext& c_;
  NamingValues names_;
  std::string imageFolder_;
  std::string top_;     // head, BODY tag, banner blocks, header text and "<P>"
  std::string bottom_;  // the footer text and the end of the page
  ImageNavBar bar_;
};

// Writes the page of `image`, the picture at the run's cursor.
void WriteImagePage(PageContext& c, const std::string& image);

}  // namespace fw
