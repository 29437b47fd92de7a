// Layout geometry of the gallery pages: how many thumbnails the twelve fixed templates and the
// responsive layout put on a page, how many pages a gallery needs, the limits each template puts on rows and columns,
// and the texts of the pages label on the Layout tab.
#pragma once

#include <string>

namespace fw {

class Host;

inline constexpr int kFirstTemplate = 1;
inline constexpr int kLastFixedTemplate = 12;
inline constexpr int kCustomTemplate = 13;
// HTML5 pages whose grid of thumbnails reflows to the screen; Rows x Columns pictures a page.
inline constexpr int kResponsiveTemplate = 14;
inline constexpr int kLastTemplate = kResponsiveTemplate;

inline constexpr const char* kZeroRowsMessage = "You cannot have zero rows or zero columns";

// Thumbnails a full page of `templ` holds with `rows` x `columns` positions (0 for Custom).
int ImagesPerPage(int templ, int rows, int columns);

// Gallery pages needed for `imageCount` pictures; 0 for Custom and for no pictures. When the
// template leaves no room for a thumbnail the result is 0 and, given a host, the user is told
// kZeroRowsMessage.
int PageCount(int templ, int rows, int columns, int imageCount, Host* host);

// What choosing a template does to the two spin edits.
struct TemplateLimits {
  int minRows = 1;
  int minColumns = 1;
  bool rowsEnabled = true;
  bool columnsEnabled = true;
  int fixedRows = 0;     // the value Rows is set to when not 0 (template 3)
  int fixedColumns = 0;  // likewise for Columns (template 4)
};
TemplateLimits LimitsFor(int templ);

struct Grid {
  int rows = 2;
  int columns = 5;
};
// Rows and columns as the limits of `templ` leave them; a caller stores a value that changed.
Grid ApplyLimits(int templ, Grid grid);

// The pages label after a template was applied (two lines), after a change of Rows (four
// blanks) and after a change of Columns (two blanks).
std::string PagesLabelForTemplate(int imageCount, int pages);
std::string PagesLabelForRows(int imageCount, int pages);
std::string PagesLabelForColumns(int imageCount, int pages);

}  // namespace fw
