// Backup of the whole configuration into a backup folder: the settings root as the dump file
// "registry.cfg" and every gallery's text-block file as it is. The ".dat" files of an older
// backup (the galleries its "registry.cfg" names) are removed once the new ones are written,
// so the folder then holds the galleries of this backup and whatever else was there before,
// and a backup that fails half-way leaves the old one's files.
#pragma once

#include <string>
#include <vector>

namespace fw {

class Host;
class Store;

inline constexpr const char* kDumpFileName = "registry.cfg";
inline constexpr const char* kBackupDirNotCreated = "Backup directory could not be created.";
inline constexpr const char* kBackupDirIsAppFolder =
    "The backup directory is the application directory.\r\n"
    "Please select another directory for the backup.";

// The folder both commands use: the field's text with a trailing separator.
std::string BackupFolder(const std::string& backupDirText);

// Backs up the settings below `settingsRoot` and the text-block files
// (appFolder + gallery + ".dat") of `galleries`, in list order, into `backupDir`. Returns
// true when the backup ran to its end. A backup folder that cannot be created, or that is the
// application folder itself (whose live text-block files the backup would delete), is refused
// with a message before anything is deleted. Text-block files that cannot be copied are
// skipped; the user is told which at the end.
bool Backup(Host& host, const Store& store, const std::string& settingsRoot,
            const std::vector<std::string>& galleries, const std::string& appFolder,
            const std::string& backupDir);

}  // namespace fw
