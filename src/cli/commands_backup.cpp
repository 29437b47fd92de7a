// Reports over all galleries; backup and restore of the whole configuration.
#include "backup/backup.h"
#include "backup/restore.h"
#include "cli/commands.h"
#include "cli/gallery.h"
#include "common/error.h"
#include "reports/report_export.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"

namespace fw::cli {
namespace {

std::vector<std::string> GalleryNames(Context& c) {
  return c.store().Subkeys(GalleriesKey(c.root()));
}

// The gallery whose thumbnail mode a report uses: --gallery, else the one the window would
// select at start-up.
std::string ModeGallery(Context& c) {
  std::string named = c.option("--gallery");
  if (!named.empty()) return named;
  std::vector<std::string> names = GalleryNames(c);
  if (names.empty()) return "";
  int selected = c.store().RegReadInteger(c.root(), "SelectedGallery", 0);
  return names[selected >= 0 && std::size_t(selected) < names.size() ? std::size_t(selected) : 0];
}

void Report(Context& c) {
  auto p = Positional(c, 1, 1, {"--gallery"});
  if (!c.store().KeyExists(c.root() + "\\Reports\\" + p[0]))
    throw Error("There is no report named \"" + p[0] + "\".");
  std::string gallery = ModeGallery(c);
  bool isThumbPrefix =
      gallery.empty() || OpenGallery(c, gallery)->integer(value::IsThumbPrefix) == 1;
  ExportStoredReport(c.host(), c.store(), c.root(), p[0], isThumbPrefix);
}

void BackupCommand(Context& c) {
  auto p = Positional(c, 1, 1);
  Backup(c.host(), c.store(), c.root(), GalleryNames(c), c.appFolder(), BackupFolder(p[0]));
}

void RestoreCommand(Context& c) {
  auto p = Positional(c, 1, 1);
  Restore(c.host(), c.store(), c.appFolder(), BackupFolder(p[0]));
}

}  // namespace

void AddBackupCommands(std::vector<Command>& t) {
  t.push_back({"report", "REPORT [--gallery GALLERY]",
               "exports a report over all galleries (GALLERY gives the thumbnail mode)", Report});
  t.push_back({"backup", "DIR", "backs up the settings and text-block files into DIR",
               BackupCommand});
  t.push_back({"restore", "DIR", "restores the configuration from DIR (no confirmation)",
               RestoreCommand});
}

}  // namespace fw::cli
