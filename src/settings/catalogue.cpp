// The catalogue table: the application values, then the rows of catalogue.def.
// `BackupDir` holds only the part after the application folder.
// The layout value `Template` is edited by the radio buttons Template1 to Template14; its
// control name is their common stem.
#include "settings/catalogue.h"

#include "common/text.h"

namespace fw {

namespace {

using K = Kind;
using W = WriteMoment;

CatalogueEntry Entry(Scope scope, const char* name, Kind kind, const char* control, const char* tab,
                     const char* label, WriteMoment written) {
  CatalogueEntry e;
  e.name = e.writeName = name;
  e.kind = kind;
  e.control = control;
  e.tab = tab;
  e.label = label;
  e.written = written;
  e.scope = scope;
  return e;
}

CatalogueEntry Text(Scope scope, const char* name, const char* def, const char* control,
                    const char* tab, const char* label, WriteMoment written) {
  CatalogueEntry e = Entry(scope, name, K::String, control, tab, label, written);
  e.defaultText = def;
  return e;
}

CatalogueEntry Flag(Scope scope, const char* name, bool def, const char* control, const char* tab,
                    const char* label) {
  CatalogueEntry e = Entry(scope, name, K::Boolean, control, tab, label, W::Click);
  e.defaultInt = def ? 1 : 0;
  return e;
}

CatalogueEntry Number(Scope scope, const char* name, int def, const char* control, const char* tab,
                      const char* label, WriteMoment written) {
  CatalogueEntry e = Entry(scope, name, K::Integer, control, tab, label, written);
  e.defaultInt = def;
  return e;
}

CatalogueEntry Spin(Scope scope, const char* name, int def, int minimum, int maximum, int step,
                    const char* control, const char* tab, const char* label) {
  CatalogueEntry e = Number(scope, name, def, control, tab, label, W::Change);
  e.minimum = minimum;
  e.maximum = maximum;
  e.step = step;
  return e;
}

CatalogueEntry Colour(Scope scope, const char* name, int def, const char* control, const char* tab,
                      const char* label) {
  return Number(scope, name, def, control, tab, label, W::Click);
}

constexpr Scope A = Scope::Application;
constexpr Scope G = Scope::Gallery;
constexpr Scope P = Scope::ImageProperties;
constexpr Scope C = Scope::CustomTemplate;

const char* const kDirs = "Directories";
const char* const kSource = "Directories, group \" Image source \"";
const char* const kLayout = "Thumbnails, Layout";
const char* const kOptions = "Thumbnails, Options";
const char* const kIndex = "Index Page";
const char* const kStatic = "Index Page, group \" Static text \"";
const char* const kGallery = "Gallery Page";
const char* const kImage = "Image Page";
const char* const kNavGallery = "Navigation, Gallery page";
const char* const kNavImage = "Navigation, Image Page";
const char* const kAdvanced = "Advanced";
const char* const kBackup = "Backup";
const char* const kWindow = "Main window";
const char* const kProps = "Image Properties";
const char* const kCustom = "Custom Template Options";

std::vector<CatalogueEntry> Build() {
  std::vector<CatalogueEntry> t = {
      Number(A, "SelectedGallery", 0, "lstGalleries", kWindow, "", W::Shutdown),
      Number(A, "SelectedReport", 0, "cmbReports", kWindow, "", W::Shutdown),
      Number(A, "Top", 150, "", kWindow, "", W::Shutdown),
      Number(A, "Left", 200, "", kWindow, "", W::Shutdown),
      Text(A, "CustomColors", "", "", kWindow, "", W::Shutdown),
      Text(A, "BackupDir", "Backup", "edtBackupDir", kBackup, "Directory", W::Exit),
      Number(A, "BackupGroupHeight", 120, "grpBackup", kBackup, "", W::Click),

#define FW_FLAG(scope, name, ...) Flag(scope, #name, __VA_ARGS__),
#define FW_SPIN(scope, name, ...) Spin(scope, #name, __VA_ARGS__),
#define FW_NUMBER(scope, name, def, control, tab, label, written) \
  Number(scope, #name, def, control, tab, label, W::written),
#define FW_COLOUR(scope, name, ...) Colour(scope, #name, __VA_ARGS__),
#define FW_TEXT(scope, name, def, control, tab, label, written) \
  Text(scope, #name, def, control, tab, label, W::written),
#include "settings/catalogue.def"
  };
  int order = 0;
  for (auto& e : t) {
    if (e.scope == G) e.order = ++order;
    // The two page-button colours are written under a name in another letter case; the
    // store compares names without case, so both forms reach the same value.
    if (e.name == "NavPageBackColor") e.writeName = "NavPageBackcolor";
    if (e.name == "NavActivePageBackColor") e.writeName = "NavActivePageBackcolor";
  }
  return t;
}

const CatalogueEntry* Find(std::string_view name, bool gallery) {
  for (const auto& e : Catalogue()) {
    bool inScope = gallery ? e.scope == G || e.scope == P || e.scope == C : e.scope == A;
    if (inScope && (EqualsNoCase(e.name, name) || EqualsNoCase(e.writeName, name))) return &e;
  }
  return nullptr;
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> table = Build();
  return table;
}

std::vector<const CatalogueEntry*> CatalogueScope(Scope scope) {
  std::vector<const CatalogueEntry*> out;
  for (const auto& e : Catalogue())
    if (e.scope == scope) out.push_back(&e);
  return out;
}

const CatalogueEntry* FindGalleryValue(std::string_view name) { return Find(name, true); }

const CatalogueEntry* FindApplicationValue(std::string_view name) { return Find(name, false); }

}  // namespace fw
