// Files a run would write to one place. Before a run writes anything it claims every file it
// will write (and every picture it must keep); two writes that fall on one file, or a write
// that falls on a picture, are a clash, and the run ends naming them. Folders are compared as
// the file system resolves them (links, "." and "..", a trailing separator), and names that
// differ only in letter case clash only in a folder whose file system folds case.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace fw {

class Host;
struct NamingValues;

inline constexpr const char* kNameClashMessage =
    "Nothing was written, because these files would be written over one another:";
// At most this many clashes are named; a last line tells how many more there are.
inline constexpr std::size_t kClashesNamed = 20;

class NameClashes {
 public:
  // A folder resolved once, for the claims of every file in it.
  struct Folder {
    std::string shown;  // as the run writes paths: with its trailing separator
    std::string key;
    bool foldsCase = false;
  };
  static Folder Resolve(const std::string& folder);

  enum class Claim {
    Keep,   // a picture: nothing may be written over it
    Write,  // a thumbnail, a page or another file of the run
  };
  // `name` (which may hold folders of its own) in `folder`; `what` names the file's part in
  // the run, for the message ("the image page of a.jpg").
  void claim(const Folder& folder, const std::string& name, Claim kind, std::string what);

  bool any() const;
  // With a clash: beeps, shows message() and answers true.
  bool reportTo(Host& host) const;
  // kNameClashMessage, then one line per clashing file in the order first claimed: its path,
  // ": " and what would go there ("a, b and c").
  std::string message() const;

 private:
  struct File {
    std::string path;
    std::vector<std::pair<Claim, std::string>> claims;
    bool clashes() const;
  };
  std::vector<File> files_;
  std::unordered_map<std::string, std::size_t> byKey_;
};

// Claims the pictures of `images` in the image folder (kept) and their thumbnails, but for a
// thumbnail that would be its picture itself (thumbnails beside the pictures, no prefix).
void ClaimPictures(NameClashes& clashes, const NamingValues& names,
                   const std::vector<std::string>& images);

}  // namespace fw
