#include "app/widgets.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

namespace fw {

QColor ToQColor(std::int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
std::int32_t FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::changed);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

void SpinEdit::setRange(int minimum, int maximum, int step) {
  min_ = minimum;
  max_ = maximum;
  step_ = step > 0 ? step : 1;
}

int SpinEdit::value() const {
  bool ok = false;
  int v = lineEdit()->text().toInt(&ok);
  return ok ? v : min_;
}

QSize SpinEdit::sizeHint() const {
  ensurePolished();
  // An unbounded editor gets room for six digits.
  QString widest = max_ > min_ ? QString::number(max_) : QString("000000");
  if (QString::number(min_).size() > widest.size()) widest = QString::number(min_);
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  const QSize text(fontMetrics().horizontalAdvance(widest + ' ') + 4,
                   lineEdit()->sizeHint().height());
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

void SpinEdit::setValue(int v) { setText(QString::number(v)); }
QString SpinEdit::text() const { return lineEdit()->text(); }
void SpinEdit::setText(const QString& t) {
  if (lineEdit()->text() != t) lineEdit()->setText(t);
}

void SpinEdit::bound() {
  if (max_ <= min_) return;
  bool ok = false;
  int v = lineEdit()->text().toInt(&ok);
  if (ok) setValue(std::clamp(v, min_, max_));
}

void SpinEdit::stepBy(int steps) {
  long long v = static_cast<long long>(value()) + static_cast<long long>(steps) * step_;
  if (max_ > min_) v = std::clamp<long long>(v, min_, max_);
  setValue(static_cast<int>(v));
}

void SpinEdit::focusOutEvent(QFocusEvent* e) {
  bound();
  QAbstractSpinBox::focusOutEvent(e);
}

ColourButton::ColourButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setMinimumWidth(110);
}

void ColourButton::setColour(std::int32_t value) {
  colour_ = value;
  update();
}

void ColourButton::paintEvent(QPaintEvent* e) {
  QPushButton::paintEvent(e);
  QPainter p(this);
  QRect swatch(6, 5, height() - 10, height() - 10);
  p.fillRect(swatch, ToQColor(colour_));
  p.setPen(Qt::black);
  p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

int SortedRow(const QListWidget* list, const QString& name) {
  int row = 0;
  while (row < list->count() &&
         QString::compare(list->item(row)->text(), name, Qt::CaseInsensitive) <= 0)
    ++row;
  return row;
}

ImageListBox::ImageListBox(QWidget* parent) : QListWidget(parent) {
  // Every entry is one line of text: the list is laid out without measuring each of them.
  setUniformItemSizes(true);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::MoveAction);
}

namespace {

// Sorted without regard to case; names equal but for case keep their order.
void SortNames(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
}

}  // namespace

void ImageListBox::setSorted(bool on) {
  sorted_ = on;
  if (!on) return;
  QStringList all = names();
  SortNames(all);
  QString current = currentItem() ? currentItem()->text() : QString();
  clear();
  addItems(all);
  if (!current.isEmpty()) {
    auto found = findItems(current, Qt::MatchExactly);
    if (!found.isEmpty()) setCurrentItem(found.first());
  }
}

void ImageListBox::setNames(const std::vector<std::string>& names) {
  QStringList all;
  all.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& n : names) all << QString::fromStdString(n);
  if (sorted_) SortNames(all);
  clear();
  addItems(all);
}

void ImageListBox::addName(const QString& name) {
  if (sorted_)
    insertItem(SortedRow(this, name), name);
  else
    addItem(name);
}

QStringList ImageListBox::names() const {
  QStringList out;
  out.reserve(count());
  for (int i = 0; i < count(); ++i) out << item(i)->text();
  return out;
}

std::vector<std::string> ImageListBox::imageNames() const {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count()));
  for (int i = 0; i < count(); ++i) out.push_back(item(i)->text().toStdString());
  return out;
}

void ImageListBox::moveSelectedTo(int target) {
  int from = currentRow();
  if (from < 0 || count() == 0) return;
  target = std::clamp(target, 0, count() - 1);
  QListWidgetItem* it = takeItem(from);
  insertItem(target, it);  // never re-sorted: the manual place holds until the next reload
  setCurrentRow(target);
}

void ImageListBox::dragEnterEvent(QDragEnterEvent* e) {
  if (e->source() == this) e->acceptProposedAction(); else e->ignore();
}

void ImageListBox::dragMoveEvent(QDragMoveEvent* e) {
  if (e->source() == this) e->acceptProposedAction(); else e->ignore();
}

void ImageListBox::dropEvent(QDropEvent* e) {
  if (e->source() != this) {
    e->ignore();
    return;
  }
  QModelIndex at = indexAt(e->position().toPoint());
  moveSelectedTo(at.isValid() ? at.row() : count() - 1);
  // Taking the move here keeps Qt from removing the dragged row a second time.
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

}  // namespace fw
