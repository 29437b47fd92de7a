// Commands on the settings store and the text-block files.
#include <cstdint>
#include <fstream>
#include <sstream>

#include "backup/dump.h"
#include "cli/commands.h"
#include "cli/gallery.h"
#include "common/error.h"
#include "common/gallery_name.h"
#include "settings/catalogue.h"
#include "settings/gallery_keys.h"
#include "settings/textblock.h"

namespace fw::cli {
namespace {

const CatalogueEntry& Entry(const std::string& name) {
  const CatalogueEntry* e = FindGalleryValue(name);
  if (!e) throw Error("There is no gallery value named \"" + name + "\".");
  return *e;
}

void Galleries(Context& c) {
  for (const std::string& g : c.store().Subkeys(GalleriesKey(c.root()))) c.out() << g << "\n";
}

void Get(Context& c) {
  auto p = Positional(c, 2, 2);
  const CatalogueEntry& e = Entry(p[1]);
  auto g = OpenGallery(c, p[0]);
  switch (e.kind) {
    case Kind::String: c.out() << g->text(e.name) << "\n"; break;
    case Kind::Integer: c.out() << g->integer(e.name) << "\n"; break;
    case Kind::Boolean: c.out() << (g->flag(e.name) ? 1 : 0) << "\n"; break;
  }
}

int ParseInteger(const std::string& name, const std::string& text) {
  if (const auto v = WholeNumber(text)) return *v;
  throw Error("The value \"" + name + "\" takes a whole number, not \"" + text + "\".");
}

bool ParseBoolean(const std::string& name, const std::string& text) {
  if (text == "1" || text == "true") return true;
  if (text == "0" || text == "false") return false;
  throw Error("The value \"" + name + "\" takes 1 or 0, not \"" + text + "\".");
}

void Set(Context& c) {
  auto p = Positional(c, 3, 3);
  const CatalogueEntry& e = Entry(p[1]);
  std::string key = c.galleryKey(p[0]);
  if (p[0].empty()) throw Error("A gallery needs a name.");
  CheckGalleryName(p[0]);
  switch (e.kind) {
    case Kind::String: c.store().RegWriteString(key, e.writeName, p[2]); break;
    case Kind::Integer: c.store().RegWriteInteger(key, e.writeName, ParseInteger(e.name, p[2])); break;
    case Kind::Boolean: c.store().RegWriteBool(key, e.writeName, ParseBoolean(e.name, p[2])); break;
  }
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ThrowFileError(path);
  std::ostringstream all;
  all << in.rdbuf();
  return SplitLines(all.str());
}

void Text(Context& c) {
  auto p = Positional(c, 2, 2, {"--set"});
  std::string file = GalleryFile(c.appFolder(), p[0]);
  std::string from = c.option("--set");
  if (c.has("--set")) {
    if (from.empty()) throw UsageError{"--set needs a FILE"};
    if (p[0].empty()) throw Error("A gallery needs a name.");
    std::vector<std::string> lines = FileLines(from);
    c.store().CreateKey(c.galleryKey(p[0]));
    WriteSection(file, p[1], lines);
    return;
  }
  c.existingGalleryKey(p[0]);
  c.out() << ReadSection(file, p[1]);
}

void Import(Context& c) {
  auto p = Positional(c, 1, 1);
  const auto leftOut = ImportSettingsTree(c.store(), p[0]);
  if (!leftOut.empty()) c.host().message(LeftOutMessage(leftOut), "", MessageIcon::Warning);
}

void Export(Context& c) {
  auto p = Positional(c, 1, 1);
  ExportSettingsTree(c.store(), p[0], c.root());
}

}  // namespace

void AddSettingsCommands(std::vector<Command>& t) {
  t.push_back({"galleries", "", "the gallery names, one per line", Galleries});
  t.push_back({"get", "GALLERY VALUE", "one gallery value (booleans print 1/0)", Get});
  t.push_back({"set", "GALLERY VALUE TEXT", "stores one gallery value", Set});
  t.push_back({"text", "GALLERY SECTION [--set FILE]",
               "prints a text-block section, or stores FILE's lines as that section", Text});
  t.push_back({"import", "FILE", "reads a settings dump into the store", Import});
  t.push_back({"export", "FILE", "appends a settings dump of the settings root to FILE", Export});
}

}  // namespace fw::cli
