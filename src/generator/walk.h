// The walk over the positions of one gallery page: which rows, text areas and thumbnail cells
// a template puts where. The gallery page writer turns the events into markup.
#pragma once

namespace fw {

struct TextArea {
  enum class Shape { RowAndColumnSpan, RowSpanOnly, ColumnSpanOnly };
  Shape shape = Shape::RowAndColumnSpan;
  int rowspan = 0;
  int colspan = 0;
  bool text4 = false;  // shows "Gallery Text4" instead of "Gallery Text3"
};

class WalkSink {
 public:
  virtual ~WalkSink() = default;
  virtual void textRow(int colspan) = 0;  // the full-width text row of template 3
  virtual void openRow() = 0;
  virtual void textArea(const TextArea& area) = 0;
  // A cell for the picture at `cursor`; the walk advances the cursor afterwards.
  virtual void thumbnail(int cursor) = 0;
  virtual void closeRow() = 0;
};

// Walks one page of `templ` with `rows` x `columns` positions, starting at the picture `cursor`
// of `count`, and stops right after the last picture. `cursor` is left past the last picture
// placed.
void WalkPositions(int templ, int rows, int columns, int count, int& cursor, WalkSink& sink);

}  // namespace fw
