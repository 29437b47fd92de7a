#include "app/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace fw {

void FitOnScreen(QWidget* window) {
  const QRect place(window->pos(), window->size());
  QScreen* screen = QGuiApplication::screenAt(place.center());
  if (!screen) screen = QGuiApplication::screenAt(place.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  // Before a window is first shown the desktop's frame is not known: leave room for a title
  // bar and borders.
  QSize border = window->frameGeometry().size() - window->size();
  if (border.isEmpty()) border = QSize(8, 40);
  const QRect room = screen->availableGeometry();
  window->resize((room.size() - border)
                     .boundedTo(window->size())
                     .expandedTo(window->minimumSizeHint())
                     .expandedTo(window->minimumSize()));
  const QSize outer = window->size() + border;
  window->move(
      std::clamp(place.x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width())),
      std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height())));
}

}  // namespace fw
