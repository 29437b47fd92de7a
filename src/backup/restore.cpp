#include "backup/restore.h"

#include "backup/backup.h"
#include "backup/dump.h"
#include "common/fs.h"
#include "common/host.h"
#include "common/paths.h"

namespace fw {

bool Restore(Host& host, Store& store, const std::string& appFolder, const std::string& backupDir) {
  if (!host.ask(kRestoreQuestion, "")) return false;
  const std::string folder = BackupFolder(backupDir);
  const std::string app = AddBackslash(appFolder);
  host.status("Performing restore - please wait ...");
  host.processEvents();

  const std::string dump = folder + kDumpFileName;
  const auto leftOut = fs::Exists(dump) ? ImportSettingsTree(store, dump)
                                         : std::vector<std::string>{};

  for (const auto& name : fs::ListMask(folder, "*.dat")) {
    if (!fs::IsFile(folder + name)) continue;
    fs::CopyFile(folder + name, app + name);
  }

  if (!leftOut.empty()) host.message(LeftOutMessage(leftOut), "", MessageIcon::Warning);
  host.beep();
  host.message(kRestoreDone);
  return true;
}

}  // namespace fw
