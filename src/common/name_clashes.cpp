#include "common/name_clashes.h"

#include <filesystem>
#include <system_error>

#include "common/fs.h"
#include "common/host.h"
#include "common/naming.h"
#include "common/paths.h"
#include "common/text.h"

namespace fw {
namespace {

namespace sfs = std::filesystem;

// A folder that is not there yet is resolved as far as it exists; the rest is taken as written.
sfs::path Resolved(const std::string& folder, sfs::path& existing) {
  std::error_code ec;
  const sfs::path p = sfs::weakly_canonical(folder.empty() ? "." : folder, ec);
  if (ec) return sfs::absolute(folder.empty() ? "." : folder).lexically_normal();
  existing = p;
  while (!existing.empty() && !sfs::is_directory(existing, ec)) existing = existing.parent_path();
  return p;
}

}  // namespace

NameClashes::Folder NameClashes::Resolve(const std::string& folder) {
  Folder f;
  f.shown = AddBackslash(folder);
  sfs::path existing;
  f.key = AddBackslash(Resolved(folder, existing).string());
  f.foldsCase = !existing.empty() && fs::FoldsCase(existing.string());
  return f;
}

void NameClashes::claim(const Folder& folder, const std::string& name, Claim kind,
                        std::string what) {
  std::string key = folder.key + name;
  if (name.find('/') != std::string::npos) key = sfs::path(key).lexically_normal().string();
  if (folder.foldsCase) key = LowerAscii(key);
  const auto [at, added] = byKey_.try_emplace(std::move(key), files_.size());
  if (added) files_.push_back({folder.shown + name, {}});
  files_[at->second].claims.emplace_back(kind, std::move(what));
}

bool NameClashes::File::clashes() const {
  int writes = 0;
  bool kept = false;
  for (const auto& claim : claims) {
    if (claim.first == Claim::Keep)
      kept = true;
    else
      ++writes;
  }
  return writes >= 2 || (kept && writes > 0);
}

bool NameClashes::any() const {
  for (const File& f : files_)
    if (f.clashes()) return true;
  return false;
}

bool NameClashes::reportTo(Host& host) const {
  if (!any()) return false;
  host.beep();
  host.message(message());
  return true;
}

std::string NameClashes::message() const {
  std::string text = kNameClashMessage;
  std::size_t named = 0, more = 0;
  for (const File& f : files_) {
    if (!f.clashes()) continue;
    if (named == kClashesNamed) {
      ++more;
      continue;
    }
    ++named;
    text += "\r\n" + f.path + ": ";
    for (std::size_t i = 0; i < f.claims.size(); ++i) {
      if (i > 0) text += i + 1 == f.claims.size() ? " and " : ", ";
      text += f.claims[i].second;
    }
  }
  if (more > 0) text += "\r\nand " + std::to_string(more) + " more";
  return text;
}

void ClaimPictures(NameClashes& clashes, const NamingValues& names,
                   const std::vector<std::string>& images) {
  const NameClashes::Folder pictures = NameClashes::Resolve(ImageFolder(names));
  const NameClashes::Folder thumbnails = NameClashes::Resolve(ThumbFolder(names));
  for (const std::string& image : images)
    clashes.claim(pictures, image, NameClashes::Claim::Keep, "the picture " + image);
  // A picture whose thumbnail name is its own name in its own folder gets no thumbnail file:
  // the picture stands for it.
  const bool oneFolder = pictures.key == thumbnails.key;
  for (const std::string& image : images) {
    const std::string thumbnail = ThumbnailName(names, image);
    const bool itself =
        pictures.foldsCase ? LowerAscii(thumbnail) == LowerAscii(image) : thumbnail == image;
    if (!(oneFolder && itself))
      clashes.claim(thumbnails, thumbnail, NameClashes::Claim::Write, "the thumbnail of " + image);
  }
}

}  // namespace fw
