#include "backup/backup.h"

#include <set>

#include "backup/dump.h"
#include "common/error.h"
#include "common/fs.h"
#include "common/gallery_name.h"
#include "common/host.h"
#include "common/paths.h"

namespace fw {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Compared by real path, so a link or a "sub/.." spelling of the same folder is caught too.
bool SameFolder(const std::string& a, const std::string& b) {
  return WithoutTrailingSeparators(fs::RealPath(a)) == WithoutTrailingSeparators(fs::RealPath(b));
}

// The dump is appended line by line: it is made under a temporary name and then takes the
// old one's place in one rename.
void WriteDump(const Store& store, const std::string& settingsRoot, const std::string& dump) {
  const std::string temp = dump + ".new";
  if (fs::Exists(temp) && !fs::Delete(temp)) ThrowFileError(temp);
  try {
    ExportSettingsTree(store, temp, settingsRoot);
    if (!fs::Exists(temp)) {  // nothing to write: no dump at all, as an export would leave
      if (fs::Exists(dump) && !fs::Delete(dump)) ThrowFileError(dump);
      return;
    }
    fs::Rename(temp, dump);
  } catch (...) {
    fs::Delete(temp);
    throw;
  }
}

}  // namespace

std::string BackupFolder(const std::string& backupDirText) { return AddBackslash(backupDirText); }

bool Backup(Host& host, const Store& store, const std::string& settingsRoot,
            const std::vector<std::string>& galleries, const std::string& appFolder,
            const std::string& backupDir) {
  const std::string folder = BackupFolder(backupDir);
  const std::string app = AddBackslash(appFolder);
  host.status("Performing backup - please wait ...");
  host.processEvents();

  if (!fs::IsFolder(folder) && !fs::MakeFolders(folder)) {
    host.beep();
    host.message(kBackupDirNotCreated);
    return false;
  }
  if (SameFolder(folder, app)) {
    host.beep();
    host.message(kBackupDirIsAppFolder, kAppTitle, MessageIcon::Warning);
    return false;
  }

  // The old backup is replaced piece by piece and removed only once the new one is written,
  // so a backup that fails half-way (a full disk) still leaves a whole one behind. Only the
  // text-block files that the old dump names are the old backup's; others are not ours.
  const std::vector<std::string> earlier = GalleriesInDump(folder + kDumpFileName);
  WriteDump(store, settingsRoot, folder + kDumpFileName);

  std::set<std::string> written;
  std::vector<std::string> notCopied;
  const int total = static_cast<int>(galleries.size());
  for (int i = 1; i <= total; ++i) {
    const std::string file = galleries[i - 1] + ".dat";
    // A name that is no gallery name has no text-block file in the application folder.
    if (IsGalleryName(galleries[i - 1]) && fs::Exists(app + file)) {
      try {
        fs::CopyFile(app + file, folder + file);
        written.insert(file);
      } catch (const Error&) {
        notCopied.push_back(galleries[i - 1]);
      }
    }
    host.status("Performing backup - gallery " + std::to_string(i) + " of " +
                std::to_string(total));
    host.processEvents();
  }
  // Of the old backup, the folder keeps only what this one wrote again.
  std::set<std::string> old;
  for (const auto& g : earlier)
    if (IsGalleryName(g)) old.insert(g + ".dat");
  for (const auto& name : fs::ListMask(folder, "*.dat"))
    if (old.count(name) && !written.count(name)) fs::Delete(folder + name);

  host.beep();
  host.status("Finished Backup.");
  if (!notCopied.empty()) {
    std::string text = "The text blocks of these galleries could not be backed up:";
    for (const auto& g : notCopied) text += "\r\n" + g;
    host.message(text, kAppTitle, MessageIcon::Warning);
  }
  return true;
}

}  // namespace fw
