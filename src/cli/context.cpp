#include "cli/context.h"

#include <algorithm>

#include "common/error.h"
#include "common/fs.h"
#include "settings/gallery_keys.h"

namespace fw::cli {

Context::Context(Options options, std::vector<std::string> args, std::ostream& out,
                 std::ostream& err)
    : options_(std::move(options)),
      args_(std::move(args)),
      out_(out),
      err_(err),
      host_(out, err, std::find(args_.begin(), args_.end(), "--open") != args_.end()),
      root_(options_.test ? kTestSettingsRoot : kSettingsRoot) {}

Store& Context::store() {
  if (!store_)
    store_ = std::make_unique<Store>(options_.storeFile.empty() ? DefaultStoreFile()
                                                                : options_.storeFile);
  return *store_;
}

const std::string& Context::appFolder() {
  // A folder given on the command line is the user's to provide.
  if (!appFolderMade_ && !options_.appFolderGiven) fs::MakeFolders(options_.appFolder);
  appFolderMade_ = true;
  return options_.appFolder;
}

std::string Context::galleryKey(const std::string& gallery) const {
  return GalleryKey(root_, gallery);
}

std::string Context::existingGalleryKey(const std::string& gallery) {
  std::string key = galleryKey(gallery);
  if (gallery.empty() || !store().KeyExists(key))
    throw Error("There is no gallery named \"" + gallery + "\".");
  return key;
}

std::string Context::option(const std::string& name, const std::string& fallback) const {
  for (std::size_t i = 0; i + 1 < args_.size(); ++i)
    if (args_[i] == name) return args_[i + 1];
  return fallback;
}

bool Context::has(const std::string& flag) const {
  return std::find(args_.begin(), args_.end(), flag) != args_.end();
}

std::vector<std::string> Context::positional(const std::vector<std::string>& valued) const {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < args_.size(); ++i) {
    const std::string& a = args_[i];
    if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
      ++i;
      continue;
    }
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) continue;
    out.push_back(a);
  }
  return out;
}

}  // namespace fw::cli
