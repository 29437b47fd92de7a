// The settings dump file: a plain-text copy of a key tree of the settings store, one section
// per key ("[" root name "\" key path "]", one line per value, an empty line), lines ended by
// CR LF. Backup writes it with ExportSettingsTree, restore reads it with ImportSettingsTree.
//
// The store is the current user's hive. The other predefined root names are recognised in key
// paths and headers; their keys live in the same store under a top-level key of the root's
// upper-case name (e.g. "HKEY_LOCAL_MACHINE\Software\..."), so a dump that names them still
// round-trips.
#pragma once

#include <string>
#include <vector>

namespace fw {

class Store;

// Appends `line` and CR LF to `file` (created when missing), then closes it. Any failure
// (missing folder, no permission, a full disk) is swallowed: the line is lost without a
// message. False then, with errno telling why.
bool AppendTextLine(const std::string& file, const std::string& line);

// Appends the sections of `keyPath` and every key below it, breadth first, to `file`; the
// file is never emptied first. A path beginning "HKEY_<root>\" names another root; an unknown
// root name writes nothing. Every line is tried; when any was lost, the platform's message
// for the first loss is raised at the end, so an incomplete dump is never taken for a whole one.
void ExportSettingsTree(const Store& store, const std::string& file, const std::string& keyPath);

// Writes every value line of `file` back into the store, creating keys as needed; never
// deletes a value or key. A missing file does nothing. The file is checked whole before
// anything is written, and written in one transaction: an "int" value that is not a decimal
// integer, or a gallery key whose name is no gallery name, raises fw::Error naming the line
// (" (line N: text)") and changes nothing. A "bin" value whose text is not hexadecimal digits
// is left out; the lines left out are returned ("line N: text"), so the caller can say so.
std::vector<std::string> ImportSettingsTree(Store& store, const std::string& file);

// What a restore or import tells the user about the lines ImportSettingsTree left out.
std::string LeftOutMessage(const std::vector<std::string>& leftOut);

// The galleries whose keys the dump file names, in file order; none for a missing file.
std::vector<std::string> GalleriesInDump(const std::string& file);

}  // namespace fw
