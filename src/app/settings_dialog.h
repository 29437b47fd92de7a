// A small tool window whose controls each hold one gallery setting of a dialog's own (the
// picture properties of the resize run, the custom layout's options). It is filled once, from
// the gallery selected at start-up; every edit is written to the gallery current at that
// moment, so the dialog is not refilled when the user selects another gallery.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace fw {

class Store;
struct CatalogueEntry;

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  using CurrentKey = std::function<std::string()>;
  // Runs a handler and shows the error it raises.
  using Guard = std::function<void(const std::function<void()>&)>;
  SettingsDialog(Store& store, CurrentKey currentKey, Guard guard, const char* objectName);

  // The control of the setting `name` (a spin box, check box or line edit); created on the
  // first call, with the catalogue's range and the entry's control name.
  QWidget* control(std::string_view name);
  QWidget* find(std::string_view name) const;
  std::string text(std::string_view name) const;
  int integer(std::string_view name) const;
  // Shows the stored values of the gallery at `galleryKey`, defaults for what is missing.
  void fill(const std::string& galleryKey);
  // Writes the setting of `control` to the current gallery.
  void store(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  // A field being edited is stored when the dialog goes, as when it is left.
  void hideEvent(QHideEvent* e) override;

 private:
  struct Bound {
    const CatalogueEntry* entry;
    QWidget* control;
  };
  const Bound* bound(std::string_view name) const;
  const Bound* boundTo(const QWidget* control) const;

  Store& store_;
  CurrentKey currentKey_;
  Guard guard_;
  std::vector<Bound> controls_;
  bool filling_ = false;
};

}  // namespace fw
