// The window's own small controls: a spin editor that, like a typed field, may hold any text
// while edited; a button that shows a colour on its face; the image list box with its manual
// order by drag and drop.
#pragma once

#include <QAbstractSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// Colour values keep red in the low byte.
QColor ToQColor(std::int32_t value);
std::int32_t FromQColor(const QColor& c);

class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit SpinEdit(QWidget* parent = nullptr);
  void setRange(int minimum, int maximum, int step);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  // The number the text holds, or the minimum while the text is not a number.
  int value() const;
  void setValue(int v);
  QString text() const;
  void setText(const QString& text);
  // Brings the value within the range (done when the editor loses focus).
  void bound();
  void stepBy(int steps) override;
  QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
  // Wide enough for the longest number of the range.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void changed();

 protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
  void focusOutEvent(QFocusEvent* e) override;

 private:
  int min_ = 0, max_ = 0, step_ = 1;
};

class ColourButton : public QPushButton {
  Q_OBJECT
 public:
  explicit ColourButton(const QString& caption, QWidget* parent = nullptr);
  std::int32_t colour() const { return colour_; }
  void setColour(std::int32_t value);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::int32_t colour_ = 0;
};

// Case-insensitive position at which `name` keeps `list` sorted.
int SortedRow(const QListWidget* list, const QString& name);

class ImageListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit ImageListBox(QWidget* parent = nullptr);
  bool isSorted() const { return sorted_; }
  // Switching on sorts the present entries; switching off keeps their order.
  void setSorted(bool on);
  void addName(const QString& name);
  // The entries become `names` (sorted first while the list is sorted), in one insertion.
  void setNames(const std::vector<std::string>& names);
  QStringList names() const;
  std::vector<std::string> imageNames() const;
  // The drop of a drag that started on this list: the selected entry moves to `target`
  // (the last row when the drop lies below the last entry).
  void moveSelectedTo(int target);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  bool sorted_ = false;
};

}  // namespace fw
