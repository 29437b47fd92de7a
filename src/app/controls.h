// Makers of the bound controls: each takes its objectName and, from the catalogue, its
// caption and range, so a control and its value are named in one place.
#pragma once

#include <QPixmap>
#include <QString>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace fw {

class ColourButton;
class SpinEdit;
struct CatalogueEntry;

// The catalogue entry edited by the control of that name, or nullptr.
const CatalogueEntry* EntryForControl(const QString& control);
// The caption of a control as the catalogue gives it, ready for a Qt label.
QString CaptionFor(const char* control);

QCheckBox* MakeCheck(const char* name, QWidget* parent);
QLineEdit* MakeEdit(const char* name, QWidget* parent);
SpinEdit* MakeSpin(const char* name, QWidget* parent);
ColourButton* MakeColour(const char* name, QWidget* parent);
QPlainTextEdit* MakeMemo(const char* name, QWidget* parent);
// Adds `field` to `form` under its catalogue caption.
void AddField(QFormLayout* form, QWidget* field);

// A tab page holding `content` in a frameless scroll area, so that a window smaller than the
// content needs still reaches every control. The page takes the content's objectName; the
// content is renamed to that name + "Body".
QWidget* ScrollingPage(QWidget* content);

// The small picture of a layout template (1 to 13).
QPixmap LayoutPicture(int templ);

}  // namespace fw
