// The catalogue: one table of every value the store keeps, with kind, default, range, the
// control that edits it and when it is written. Loader, store reads, window bindings and
// the CLI's get/set are all driven by it; no value name or default is written elsewhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum class Kind { String, Integer, Boolean };
enum class WriteMoment { Click, Change, Exit, Shutdown, Other };
enum class Scope { Application, Gallery, ImageProperties, CustomTemplate, Report };

struct CatalogueEntry {
  int order = 0;             // loader order (1-based) for gallery values, else 0
  std::string name;          // the value name read by the loader
  std::string writeName;     // the name it is written under (differs for two colours)
  Kind kind = Kind::String;
  std::string defaultText;   // for String (BackupDir: the application folder is prefixed)
  int defaultInt = 0;        // for Integer and Boolean (0/1)
  int minimum = 0, maximum = 0, step = 0;  // for spin editors (maximum 0: unbounded)
  std::string control;       // objectName of the control
  std::string tab;           // tab or dialog
  std::string label;         // its label or caption
  WriteMoment written = WriteMoment::Other;
  Scope scope = Scope::Gallery;

  bool bounded() const { return maximum > minimum; }
  int bound(int v) const { return bounded() ? (v < minimum ? minimum : v > maximum ? maximum : v) : v; }
};

// Every entry, application values first, gallery values in loader order, then the values
// of the Image Properties and Custom Template Options dialogs.
const std::vector<CatalogueEntry>& Catalogue();
// The entries of one scope, in table order.
std::vector<const CatalogueEntry*> CatalogueScope(Scope scope);
// The entry named `name` (any case) among the gallery-key values (Gallery, ImageProperties,
// CustomTemplate scopes), or nullptr.
const CatalogueEntry* FindGalleryValue(std::string_view name);
const CatalogueEntry* FindApplicationValue(std::string_view name);

// The name of every gallery-key value, for the few places that read one value by its name:
// value::ThumbSize is "ThumbSize", and a misspelt name does not compile.
namespace value {
#define FW_FLAG(scope, name, ...) inline constexpr const char* name = #name;
#define FW_SPIN FW_FLAG
#define FW_NUMBER FW_FLAG
#define FW_COLOUR FW_FLAG
#define FW_TEXT FW_FLAG
#include "settings/catalogue.def"
}  // namespace value

}  // namespace fw
