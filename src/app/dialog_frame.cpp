#include "app/dialog_frame.h"

#include <QDialog>

#include "app/screen_fit.h"

namespace fw {

void ShowWithFocus(QDialog* d, QWidget* first, std::optional<QPoint> at) {
  if (at) {
    if (!d->testAttribute(Qt::WA_Resized)) d->adjustSize();  // its size before its first showing
    d->move(*at);
    FitOnScreen(d);
  }
  d->show();
  d->raise();
  d->activateWindow();
  first->setFocus(Qt::OtherFocusReason);
}

}  // namespace fw
