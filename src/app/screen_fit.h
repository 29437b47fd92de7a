// Keeps a top-level window where the user can reach it: on the screen that shows it (the
// primary screen when none does), no larger than that screen's free area.
#pragma once

class QWidget;

namespace fw {

// Moves (and if need be shrinks, not below its minimum size) `window` into the available
// area of the screen under its centre.
void FitOnScreen(QWidget* window);

}  // namespace fw
