// What the window's small dialogs share: their title-bar buttons and the way each is shown,
// without blocking the window and with the focus in its first field.
#pragma once

#include <QPoint>
#include <Qt>
#include <optional>

class QDialog;
class QWidget;

namespace fw {

// Title-bar buttons: the close box only where a dialog has one.
inline constexpr Qt::WindowFlags kTitleOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
inline constexpr Qt::WindowFlags kCloseBox = kTitleOnly | Qt::WindowCloseButtonHint;

// Shows `d` at `at` (its last place when none), on the screen, with the focus in `first`.
void ShowWithFocus(QDialog* d, QWidget* first, std::optional<QPoint> at = std::nullopt);

}  // namespace fw
