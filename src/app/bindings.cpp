// The catalogue-driven bindings: each gallery value's control is found by its objectName,
// shown from the store by the profile loader and written back by its own handler, at the
// moment the catalogue gives (click, each change, or leaving the field).
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/controls.h"
#include "app/main_window.h"
#include "app/widgets.h"
#include "generator/layout.h"
#include "settings/catalogue.h"
#include "settings/gallery_snapshot.h"
#include "settings/store.h"
#include "settings/textblock.h"

namespace fw {

namespace {

// Each memo is named after the text block it edits.
const char* const kMemos[][2] = {
#define FW_MEMO(field, section) {#field, section},
    FW_TEXT_BLOCKS(FW_MEMO)
#undef FW_MEMO
};

bool IsFolderValue(const std::string& n) {
  return n == value::BaseDir || n == value::ImageDir || n == value::ThumbsDir;
}

}  // namespace

QString MemoSection(const QString& memo) {
  for (const auto& m : kMemos)
    if (memo == m[0]) return m[1];
  return QString();
}

QString MemoForSection(const QString& section) {
  for (const auto& m : kMemos)
    if (section.compare(m[1], Qt::CaseInsensitive) == 0) return m[0];
  return QString();
}

void TfrmMain::bindCatalogue() {
  for (const CatalogueEntry* e : CatalogueScope(Scope::Gallery)) bindEntry(*e);
  for (const auto& m : kMemos)
    if (auto* memo = w<QPlainTextEdit>(m[0])) memo->installEventFilter(this);
  if (auto* backup = w<QLineEdit>("edtBackupDir")) backup->installEventFilter(this);
}

void TfrmMain::bindEntry(const CatalogueEntry& e) {
  const CatalogueEntry* entry = &e;
  if (e.name == value::Template) {
    for (int n = kFirstTemplate; n <= kLastTemplate; ++n)
      if (auto* r = findChild<QRadioButton*>(QString("Template%1").arg(n)))
        connect(r, &QRadioButton::toggled, this, [this, n](bool on) {
          if (on) guard([&] { chooseTemplate(n); });
        });
    return;
  }
  QString name = QString::fromStdString(e.control);
  if (e.name == value::IsThumbPrefix) {
    auto* group = new QButtonGroup(this);
    group->setObjectName("optIsThumbPrefixGroup");
    group->addButton(findChild<QRadioButton*>("optIsThumbPrefix0"), 0);
    group->addButton(findChild<QRadioButton*>("optIsThumbPrefix1"), 1);
    connect(group, &QButtonGroup::idToggled, this, [this, entry](int, bool on) {
      if (on) guard([&] { writeValue(*entry); });
    });
    return;
  }
  QWidget* c = findChild<QWidget*>(name);
  if (!c) return;
  if (auto* box = qobject_cast<QCheckBox*>(c)) {
    connect(box, &QCheckBox::toggled, this, [this, entry] { guard([&] { writeValue(*entry); }); });
  } else if (auto* spin = qobject_cast<SpinEdit*>(c)) {
    connect(spin, &SpinEdit::changed, this, [this, entry] { guard([&] { writeValue(*entry); }); });
  } else if (auto* colour = qobject_cast<ColourButton*>(c)) {
    connect(colour, &QPushButton::clicked, this, [this, name] { guard([&] { chooseColour(name); }); });
  } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
    if (e.name == value::BlankSpace) {
      // The field never holds a blank: each one is taken out as soon as it is typed.
      connect(edit, &QLineEdit::textChanged, this, [edit](const QString& t) {
        if (!t.contains(' ')) return;
        int pos = edit->cursorPosition() - t.left(edit->cursorPosition()).count(' ');
        edit->setText(QString(t).remove(' '));
        edit->setCursorPosition(pos);
      });
    }
    if (e.written == WriteMoment::Change)
      connect(edit, &QLineEdit::textChanged, this, [this, entry] {
        guard([&] {
          if (IsFolderValue(entry->name)) recomputeFolders();
          writeValue(*entry);
        });
      });
    edit->installEventFilter(this);
  }
}

// Leaving a field writes it (and, for most fields written on change, writes it once more).
bool TfrmMain::eventFilter(QObject* watched, QEvent* ev) {
  if (ev->type() == QEvent::MouseButtonPress && watched->objectName() == "grpBackup") {
    guard([&] { toggleBackupGroup(); });
    return true;
  }
  if (ev->type() != QEvent::FocusOut) return QMainWindow::eventFilter(watched, ev);
  QString name = watched->objectName();
  guard([&] {
    if (leaveCommandField(name)) {
    } else if (name == "edtBackupDir") {
      store_->RegWriteString(root_, "BackupDir", w<QLineEdit>("edtBackupDir")->text().toStdString());
    } else if (!MemoSection(name).isEmpty()) {
      writeSection(name);
    } else if (const CatalogueEntry* e = EntryForControl(name)) {
      if (e->name == value::BaseUrl) {
        auto* edit = w<QLineEdit>("BaseUrl");
        QString t = edit->text().trimmed();
        if (!t.isEmpty() && !t.endsWith('/')) edit->setText(t + "/");
      }
      writeValue(*e);
    }
  });
  return QMainWindow::eventFilter(watched, ev);
}

void TfrmMain::writeSection(const QString& memo) {
  auto* m = w<QPlainTextEdit>(memo.toLatin1().constData());
  WriteSection(textBlockFile_, MemoSection(memo).toStdString(),
               SplitLines(m->toPlainText().toStdString()));
}

void TfrmMain::writeValue(const CatalogueEntry& e) {
  const std::string& name = e.writeName.empty() ? e.name : e.writeName;
  switch (e.kind) {
    case Kind::String: store_->RegWriteString(galleryKey_, name, values().text(e.name)); break;
    case Kind::Integer: store_->RegWriteInteger(galleryKey_, name, values().integer(e.name)); break;
    case Kind::Boolean: store_->RegWriteBool(galleryKey_, name, values().flag(e.name)); break;
  }
}

// Shows one stored value; a shown value that changes runs the control's own handler.
void TfrmMain::loadValue(const CatalogueEntry& e) {
  if (e.name == value::Template) {
    int n = store_->RegReadInteger(galleryKey_, e.name, e.defaultInt);
    if (auto* r = findChild<QRadioButton*>(QString("Template%1").arg(n))) r->setChecked(true);
    return;
  }
  if (e.name == value::IsThumbPrefix) {
    int v = store_->RegReadInteger(galleryKey_, e.name, e.defaultInt);
    if (auto* r = findChild<QRadioButton*>(QString("optIsThumbPrefix%1").arg(v))) r->setChecked(true);
    return;
  }
  QWidget* c = findChild<QWidget*>(QString::fromStdString(e.control));
  if (!c) return;
  if (auto* box = qobject_cast<QCheckBox*>(c)) {
    box->setChecked(store_->RegReadBool(galleryKey_, e.name, e.defaultInt != 0));
  } else if (auto* spin = qobject_cast<SpinEdit*>(c)) {
    spin->setValue(e.bound(store_->RegReadInteger(galleryKey_, e.name, e.defaultInt)));
  } else if (auto* colour = qobject_cast<ColourButton*>(c)) {
    colour->setColour(store_->RegReadInteger(galleryKey_, e.name, e.defaultInt));
  } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
    edit->setText(QString::fromStdString(store_->RegReadString(galleryKey_, e.name, e.defaultText)));
  }
}

void TfrmMain::commitFocused() {
  QWidget* f = focusWidget();
  if (!f) return;
  if (qobject_cast<QLineEdit*>(f) && qobject_cast<SpinEdit*>(f->parentWidget())) f = f->parentWidget();
  QFocusEvent out(QEvent::FocusOut);
  eventFilter(f, &out);
  if (auto* spin = qobject_cast<SpinEdit*>(f)) spin->bound();
}

}  // namespace fw
