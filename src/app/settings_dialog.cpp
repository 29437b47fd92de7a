#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>

#include "common/text.h"
#include "settings/catalogue.h"
#include "settings/store.h"

namespace fw {

SettingsDialog::SettingsDialog(Store& store, CurrentKey currentKey, Guard guard,
                               const char* objectName)
    : QDialog(nullptr, Qt::Tool),
      store_(store),
      currentKey_(std::move(currentKey)),
      guard_(std::move(guard)) {
  setObjectName(objectName);
}

const SettingsDialog::Bound* SettingsDialog::bound(std::string_view name) const {
  for (const auto& b : controls_)
    if (EqualsNoCase(b.entry->name, name)) return &b;
  return nullptr;
}

const SettingsDialog::Bound* SettingsDialog::boundTo(const QWidget* control) const {
  for (const auto& b : controls_)
    if (b.control == control) return &b;
  return nullptr;
}

QWidget* SettingsDialog::find(std::string_view name) const {
  const Bound* b = bound(name);
  return b ? b->control : nullptr;
}

QWidget* SettingsDialog::control(std::string_view name) {
  if (QWidget* c = find(name)) return c;
  const CatalogueEntry* e = FindGalleryValue(name);
  if (!e) return nullptr;
  QWidget* c = nullptr;
  if (e->kind == Kind::Boolean) {
    auto* box = new QCheckBox(QString::fromStdString(e->label), this);
    connect(box, &QCheckBox::clicked, this, [this, box] { store(box); });
    c = box;
  } else if (e->kind == Kind::Integer) {
    auto* spin = new QSpinBox(this);
    spin->setRange(e->minimum, e->maximum > e->minimum ? e->maximum : 999999);
    if (e->step > 0) spin->setSingleStep(e->step);
    connect(spin, &QSpinBox::valueChanged, this, [this, spin] { store(spin); });
    c = spin;
  } else {
    auto* edit = new QLineEdit(this);
    edit->installEventFilter(this);  // written when left
    if (e->written == WriteMoment::Change)
      connect(edit, &QLineEdit::textChanged, this, [this, edit] { store(edit); });
    c = edit;
  }
  c->setObjectName(QString::fromStdString(e->control.empty() ? e->name : e->control));
  controls_.push_back({e, c});
  return c;
}

std::string SettingsDialog::text(std::string_view name) const {
  QWidget* c = find(name);
  if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text().toStdString();
  return std::to_string(integer(name));
}

int SettingsDialog::integer(std::string_view name) const {
  QWidget* c = find(name);
  if (auto* spin = qobject_cast<QSpinBox*>(c)) return spin->value();
  if (auto* box = qobject_cast<QCheckBox*>(c)) return box->isChecked() ? 1 : 0;
  if (auto* edit = qobject_cast<QLineEdit*>(c)) return edit->text().toInt();
  return 0;
}

void SettingsDialog::fill(const std::string& key) {
  filling_ = true;
  for (const auto& b : controls_) {
    const CatalogueEntry& e = *b.entry;
    if (auto* box = qobject_cast<QCheckBox*>(b.control)) {
      box->setChecked(store_.RegReadBool(key, e.name, e.defaultInt != 0));
    } else if (auto* spin = qobject_cast<QSpinBox*>(b.control)) {
      spin->setValue(e.bound(store_.RegReadInteger(key, e.name, e.defaultInt)));
    } else if (auto* edit = qobject_cast<QLineEdit*>(b.control)) {
      edit->setText(QString::fromStdString(store_.RegReadString(key, e.name, e.defaultText)));
    }
  }
  filling_ = false;
}

void SettingsDialog::store(QWidget* control) {
  const Bound* b = boundTo(control);
  if (!b || filling_) return;
  guard_([&] {
    const std::string key = currentKey_();
    const CatalogueEntry& e = *b->entry;
    switch (e.kind) {
      case Kind::String:
        store_.RegWriteString(key, e.name, text(e.name));
        break;
      case Kind::Integer:
        store_.RegWriteInteger(key, e.name, integer(e.name));
        break;
      case Kind::Boolean:
        store_.RegWriteBool(key, e.name, integer(e.name) != 0);
        break;
    }
  });
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::FocusOut)
    if (auto* w = qobject_cast<QWidget*>(watched)) store(w);
  return QDialog::eventFilter(watched, e);
}

void SettingsDialog::hideEvent(QHideEvent* e) {
  if (QWidget* focused = focusWidget()) store(focused);
  QDialog::hideEvent(e);
}

}  // namespace fw
