#include "generator/layout.h"

#include "common/host.h"

namespace fw {

int ImagesPerPage(int templ, int rows, int columns) {
  const int r = rows, k = columns;
  switch (templ) {
    case 1:
    case kResponsiveTemplate:
      return r * k;
    case 2:
      return 2 * k + 2 * r - 4;
    case 3:
      return 2 * k;
    case 4:
      return 2 * r;
    case 5:
      return 2 * k + r - 2;
    case 6:
      // A single column gives the text area row 2's only position.
      if (k == 1 && r > 2) return r - 1;
      return 2 * k + r - 2;
    case 7:
      return 2 * r + k - 2;
    case 8:
      // A single row gives the text area row 1's second position.
      if (r == 1 && k > 2) return k - 1;
      return 2 * r + k - 2;
    case 9:
      // With a single column the text area does not exist: a plain grid of r thumbnails.
      if (k == 1) return r;
      return (r - 1) * k + 2;
    case 10:
      return (r - 2) * k + 4;
    case 11:
      return (r - 1) * k + 1;
    case 12:
      return (r - 2) * k + 2;
    default:
      return 0;
  }
}

int PageCount(int templ, int rows, int columns, int imageCount, Host* host) {
  if (templ == kCustomTemplate) return 0;
  const int n = ImagesPerPage(templ, rows, columns);
  // Rows or columns outside the template's limits can make the formula zero or even negative;
  // either way no thumbnail fits on a page.
  if (n <= 0) {
    if (host) host->message(kZeroRowsMessage);
    return 0;
  }
  if (imageCount <= 0) return 0;
  return imageCount / n + (imageCount % n > 0 ? 1 : 0);
}

TemplateLimits LimitsFor(int templ) {
  TemplateLimits l;
  switch (templ) {
    case 2:
    case 10:
      l.minRows = l.minColumns = 2;
      break;
    case 3:
      l.fixedRows = 2;
      l.rowsEnabled = false;
      break;
    case 4:
      l.fixedColumns = 2;
      l.columnsEnabled = false;
      break;
    case 5:
    case 6:
    case 11:
    case 12:
      l.minRows = 2;
      break;
    case 7:
    case 8:
      l.minColumns = 2;
      break;
    default:
      break;
  }
  return l;
}

Grid ApplyLimits(int templ, Grid grid) {
  const TemplateLimits l = LimitsFor(templ);
  if (l.fixedRows) grid.rows = l.fixedRows;
  if (l.fixedColumns) grid.columns = l.fixedColumns;
  if (grid.rows < l.minRows) grid.rows = l.minRows;
  if (grid.columns < l.minColumns) grid.columns = l.minColumns;
  return grid;
}

std::string PagesLabelForTemplate(int imageCount, int pages) {
  return "Images:" + std::to_string(imageCount) + "\r\n  Pages:" + std::to_string(pages);
}

std::string PagesLabelForRows(int imageCount, int pages) {
  return "Images:" + std::to_string(imageCount) + "    Pages:" + std::to_string(pages);
}

std::string PagesLabelForColumns(int imageCount, int pages) {
  return "Images:" + std::to_string(imageCount) + "  Pages:" + std::to_string(pages);
}

}  // namespace fw
