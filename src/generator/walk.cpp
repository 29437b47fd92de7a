#include "generator/walk.h"

namespace fw {
namespace {

enum class Place { Thumbnail, Covered, Anchor };

struct Position {
  Place place = Place::Thumbnail;
  TextArea area;
};

Position Anchor(TextArea::Shape shape, int rowspan, int colspan, bool text4 = false) {
  return {Place::Anchor, TextArea{shape, rowspan, colspan, text4}};
}

constexpr Position kThumb{};
constexpr Position kCovered{Place::Covered, {}};

// What template `t` puts at row r, column j of an R x K page.
Position At(int t, int r, int j, int R, int K) {
  using S = TextArea::Shape;
  switch (t) {
    case 2:
      if (!(R > 2 && K > 2)) return kThumb;
      if (r == 2 && j == 2) return Anchor(S::RowAndColumnSpan, R - 2, K - 2);
      return (1 < r && r < R && 1 < j && j < K) ? kCovered : kThumb;
    case 4:
      // The anchor is followed by the thumbnail of the same position (see WalkPositions).
      if (r == 1 && j == 2) return Anchor(S::RowSpanOnly, R, 0);
      return kThumb;
    case 5:
      if (!(R > 2)) return kThumb;
      if (r == 2 && j == 2) return Anchor(S::RowAndColumnSpan, R - 2, K - 1);
      return (1 < r && r < R && j > 1) ? kCovered : kThumb;
    case 6:
      if (!(R > 2)) return kThumb;
      if (r == 2 && j == 1) return Anchor(S::RowAndColumnSpan, R - 2, K - 1);
      return (1 < r && r < R && j < K) ? kCovered : kThumb;
    case 7:
      if (!(K > 2)) return kThumb;
      if (r == 2 && j == 2) return Anchor(S::RowAndColumnSpan, R - 1, K - 2);
      return (r > 1 && 1 < j && j < K) ? kCovered : kThumb;
    case 8:
      if (!(K > 2)) return kThumb;
      if (r == 1 && j == 2) return Anchor(S::RowAndColumnSpan, R - 1, K - 2);
      return (r < R && 1 < j && j < K) ? kCovered : kThumb;
    case 9:
      if (!(K > 2)) return kThumb;
      if (r == 1 && j == 2) return Anchor(S::ColumnSpanOnly, 0, K - 2);
      return (r == 1 && 1 < j && j < K) ? kCovered : kThumb;
    case 10:
      if (!(K > 2)) return kThumb;
      // r == 1 decides the text, so with a single row both anchors show Text3.
      if ((r == 1 || r == R) && j == 2) return Anchor(S::ColumnSpanOnly, 0, K - 2, r != 1);
      return ((r == 1 || r == R) && 1 < j && j < K) ? kCovered : kThumb;
    case 11:
      if (!(K > 1)) return kThumb;
      if (r == 1 && j == 2) return Anchor(S::ColumnSpanOnly, 0, K - 1);
      return (r == 1 && j > 1) ? kCovered : kThumb;
    case 12:
      if (!(K > 1)) return kThumb;
      if ((r == 1 || r == R) && j == 1) return Anchor(S::ColumnSpanOnly, 0, K - 1, r != 1);
      return ((r == 1 || r == R) && j < K) ? kCovered : kThumb;
    default:  // 1 and 3: every position is a thumbnail
      return kThumb;
  }
}

}  // namespace

void WalkPositions(int templ, int rows, int columns, int count, int& cursor, WalkSink& sink) {
  for (int r = 1; r <= rows; ++r) {
    if (cursor >= count) return;
    if (templ == 3 && r == 2) sink.textRow(columns);
    sink.openRow();
    for (int j = 1; j <= columns; ++j) {
      const Position p = At(templ, r, j, rows, columns);
      if (p.place == Place::Covered) continue;
      if (p.place == Place::Anchor) {
        sink.textArea(p.area);
        if (templ != 4) continue;
      }
      sink.thumbnail(cursor);
      ++cursor;
      if (cursor >= count) break;
    }
    sink.closeRow();
    if (cursor >= count) return;
  }
}

}  // namespace fw
