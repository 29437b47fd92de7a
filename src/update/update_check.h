// The check for a newer version: the maker's site publishes one plain list, a line per
// product ("framewright 3.1.5"), which is downloaded into the application folder, read and
// compared field by field with the running version.
#pragma once

#include <string>

#include "common/host.h"

namespace fw {

class HttpClient;

// The update list and the page about a new version, on the maker's site.
std::string UpdateListUrl();
std::string WhatsNewUrl();

struct NewerVersion {
  bool found = false;
  std::string version;  // as found in the list, lower-cased and trimmed
};

// True when `listed` is a higher version than `running`: fields split at "." compare as
// decimal numbers (a missing or non-numeric field counts as 0), over the fields of `listed`.
bool IsNewerVersion(const std::string& listed, const std::string& running);

// The start of the message of a download that failed; the reason follows it.
inline constexpr const char* kUpdateCheckFailed = "The update check failed: ";

// Downloads the list at `listUrl` into appFolder + "temp.txt", reads the line of `productKey`
// and deletes the file again. A failed download (transfer error or a status other than 200)
// beeps and raises kUpdateCheckFailed + the reason; a list without the key's line finds
// nothing. Raises the file error when "temp.txt" cannot be created.
NewerVersion FindNewerVersion(Host& host, HttpClient& client, const std::string& appFolder,
                              const std::string& productKey, const std::string& runningVersion,
                              const std::string& listUrl);

// The "Check for updates" command: asks before going online, then either offers the
// what's-new page or says that this is the latest version; a failed download is raised. An empty
// `listUrlOverride` asks the maker's site. Returns what was found.
NewerVersion CheckForUpdate(Host& host, const std::string& appFolder,
                            const std::string& runningVersion,
                            const std::string& listUrlOverride = "");

}  // namespace fw
