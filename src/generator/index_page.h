// The index page: the gallery at a glance, one cell per gallery page with a sample thumbnail
// drawn from that page's pictures.
#pragma once

#include <cstddef>
#include <functional>

namespace fw {

struct PageContext;

struct IndexGeometry {
  int cellsPerRow = 5;       // W
  int rowFigure = 0;         // F
  int thumbnailHeight = 50;  // H
};
IndexGeometry IndexGeometryFor(int pageCount);

// Draws a whole number uniformly from 0 to n - 1.
using SampleDraw = std::function<int(int n)>;

// The list position of page `page`'s sample picture (`perPage` and `count` above 0).
std::size_t SampleIndex(int page, int perPage, int count, const SampleDraw& draw);

// Writes the index page for the run's page count and images per page. Without `draw`, every
// cell draws from a generator seeded afresh from the clock.
void WriteIndexPage(PageContext& c, const SampleDraw& draw = {});

}  // namespace fw
