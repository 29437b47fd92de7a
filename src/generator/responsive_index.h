// The index page of the responsive layout: the counts of pictures and pages, then one card per
// gallery page with a sample thumbnail drawn from that page's pictures, as the fixed layouts'
// index page draws it.
#pragma once

#include "generator/index_page.h"

namespace fw {

struct PageContext;

void WriteResponsiveIndex(PageContext& c, const SampleDraw& draw = {});

}  // namespace fw
