#include "app/controls.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/widgets.h"
#include "settings/catalogue.h"

namespace fw {

const CatalogueEntry* EntryForControl(const QString& control) {
  for (const auto& e : Catalogue())
    if ((e.scope == Scope::Gallery || e.scope == Scope::Application) &&
        QString::fromStdString(e.control) == control)
      return &e;
  return nullptr;
}

QString CaptionFor(const char* control) {
  const CatalogueEntry* e = EntryForControl(QString::fromLatin1(control));
  if (!e) return QString();
  // The catalogue may carry a doubled ampersand for a single shown one; Qt needs it doubled.
  QString s = QString::fromStdString(e->label).replace("&&", "&");
  return s.replace("&", "&&");
}

QCheckBox* MakeCheck(const char* name, QWidget* parent) {
  auto* c = new QCheckBox(CaptionFor(name), parent);
  c->setObjectName(name);
  return c;
}

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

SpinEdit* MakeSpin(const char* name, QWidget* parent) {
  auto* s = new SpinEdit(parent);
  s->setObjectName(name);
  if (const CatalogueEntry* e = EntryForControl(name)) s->setRange(e->minimum, e->maximum, e->step);
  s->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);  // as wide as its numbers
  return s;
}

ColourButton* MakeColour(const char* name, QWidget* parent) {
  auto* b = new ColourButton(CaptionFor(name), parent);
  b->setObjectName(name);
  return b;
}

QPlainTextEdit* MakeMemo(const char* name, QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(name);
  return m;
}

void AddField(QFormLayout* form, QWidget* field) {
  form->addRow(CaptionFor(field->objectName().toLatin1().constData()), field);
}

namespace {

// Asks for all the room its content wants; it scrolls only when the window cannot give it.
class PageScroll : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  QSize sizeHint() const override { return widget() ? widget()->sizeHint() : QSize(); }
};

// 0 a thumbnail, 1 the Text3 area, 2 the Text4 area, for a 4 x 5 page.
int CellKind(int t, int r, int j, int R, int K) {
  bool midC = j > 1 && j < K, midR = r > 1 && r < R;
  switch (t) {
    case 2: return midR && midC;
    case 5: return midR && j > 1;
    case 6: return midR && j < K;
    case 7: return r > 1 && midC;
    case 8: return r < R && midC;
    case 9: return r == 1 && midC;
    case 10: return (r == 1 || r == R) && midC ? (r == 1 ? 1 : 2) : 0;
    case 11: return r == 1 && j > 1;
    case 12: return (r == 1 || r == R) && j < K ? (r == 1 ? 1 : 2) : 0;
    case 3: return r == 2;
    case 4: return j == 2;
    default: return 0;
  }
}

}  // namespace

QPixmap LayoutPicture(int t) {
  const int cell = 8, gap = 2;
  QPixmap pm(5 * (cell + gap) + gap, 4 * (cell + gap) + gap);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setPen(Qt::NoPen);
  if (t == 13) {
    p.setPen(QColor(90, 90, 90));
    p.drawRect(pm.rect().adjusted(1, 1, -2, -2));
    for (int y = 8; y < pm.height() - 6; y += 6) p.drawLine(6, y, pm.width() - 7, y);
    return pm;
  }
  if (t == 14) {  // a phone beside a wide screen, both with a grid of thumbnails
    const QColor thumb(110, 130, 160);
    for (int r = 0; r < 3; ++r) p.fillRect(2, 4 + r * 11, 8, 8, thumb);
    for (int r = 0; r < 2; ++r)
      for (int j = 0; j < 3; ++j) p.fillRect(16 + j * 11, 8 + r * 13, 9, 9, thumb);
    return pm;
  }
  int R = t == 3 ? 3 : 4, K = t == 4 ? 3 : 5;
  for (int r = 1; r <= R; ++r)
    for (int j = 1; j <= K; ++j) {
      int kind = CellKind(t, r, j, R, K);
      QColor c = kind == 0 ? QColor(110, 130, 160) : kind == 1 ? QColor(240, 200, 90)
                                                               : QColor(150, 200, 120);
      int w = (pm.width() - gap) / K - gap;
      p.fillRect(gap + (j - 1) * (w + gap), gap + (r - 1) * (cell + gap) * 4 / R, w,
                 (cell + gap) * 4 / R - gap, c);
    }
  return pm;
}

QWidget* ScrollingPage(QWidget* content) {
  auto* page = new QWidget(content->parentWidget());
  page->setObjectName(content->objectName());
  content->setObjectName(content->objectName() + "Body");
  auto* area = new PageScroll(page);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(content);
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(area);
  return page;
}

}  // namespace fw
