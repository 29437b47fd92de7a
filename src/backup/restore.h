// Restore of a backup: the dump "registry.cfg" imported into the settings store (values in
// the file overwrite, others stay) and every "*.dat" file of the backup folder copied into the
// application folder. The running application reloads nothing; it has to be started again.
#pragma once

#include <string>

namespace fw {

class Host;
class Store;

inline constexpr const char* kRestoreQuestion = "Are you sure you want to do a restore?";
inline constexpr const char* kRestoreDone =
    "Configuration restored.\r\nPlease restart Framewright now.";

// Asks first; returns true when the configuration was restored and the user was told, after
// which the caller ends the application through its normal shutdown. An error while importing
// the dump (a malformed integer line, a gallery name that is refused) propagates: nothing of
// the dump is applied, no text-block file is copied, and the application goes on running.
bool Restore(Host& host, Store& store, const std::string& appFolder, const std::string& backupDir);

}  // namespace fw
