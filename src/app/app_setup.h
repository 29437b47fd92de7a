// What the program sets up before its window: the application's identity on the desktop
// (name, desktop entry, icon) and where its read-only program files lie.
#pragma once

#include <string>

namespace fw {

// The name, desktop file name and window icon of the running application. The display name
// stays unset: the desktop would append it to every window title.
void SetUpApplication();

// The folder of the program's read-only files (the help page), with its trailing separator:
// <prefix>/share/framewright/ beside an installed executable, else the executable's own folder
// (a build tree).
std::string ProgramDataFolder();

}  // namespace fw
