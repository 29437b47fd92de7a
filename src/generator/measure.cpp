#include "generator/measure.h"

#include <exception>

#include "common/host.h"
#include "generator/page_context.h"

namespace fw {

ImageSize MeasureOrReport(PageContext& c, const std::string& path, const std::string& shownName) {
  try {
    return c.pictures.size(path);
  } catch (const std::exception&) {
    c.host.message(kAccessErrorPrefix + shownName);
    return {};
  }
}

}  // namespace fw
