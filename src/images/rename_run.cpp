#include "images/rename_run.h"

#include <chrono>
#include <exception>
#include <random>
#include <set>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "common/naming.h"
#include "settings/gallery_snapshot.h"

namespace fw {
namespace {

int Digits(long long n) { return static_cast<int>(std::to_string(n).size()); }

// The text after the last ".", or nothing for a name without one.
std::string Extension(const std::string& name) {
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace

std::string PadNumber(long long n, int width) {
  std::string digits = std::to_string(n);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

std::vector<std::string> SequentialNames(const std::string& prefix, int count) {
  std::vector<std::string> names;
  const int width = Digits(count);
  for (int i = 1; i <= count; ++i) names.push_back(prefix + PadNumber(i, width));
  return names;
}

std::vector<std::string> RandomNames(const std::string& prefix, int count) {
  const long long range = static_cast<long long>(count) * 10;
  const int width = Digits(range);
  std::mt19937_64 random(
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::uniform_int_distribution<long long> draw(0, range - 1);
  // Every text has the same prefix and width, so text order is number order.
  std::set<std::string> names;
  while (static_cast<int>(names.size()) < count)
    names.insert(prefix + PadNumber(draw(random), width));
  return {names.begin(), names.end()};
}

bool RunRenameImages(GalleryValues& values, Host& host, const std::string& prefix,
                     bool sequential) {
  const GallerySnapshot s = TakeSnapshot(values);
  const std::vector<std::string>& list = s.images;
  if (list.empty()) {
    host.message(kNothingToDoMessage);
    values.reloadImages();
    return false;
  }
  const int count = static_cast<int>(list.size());
  const std::vector<std::string> names =
      sequential ? SequentialNames(prefix, count) : RandomNames(prefix, count);
  const std::string folder = ImageFolder(NamingOf(s));
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string target = names[i] + "." + Extension(list[i]);
    // A prefix holding a separator would move the picture out of the image folder.
    if (target.find('/') != std::string::npos) continue;
    try {
      fs::RenameNoReplace(folder + list[i], folder + target);
    } catch (const std::exception&) {
      // Skipped without a message: the picture keeps its old name.
    }
  }
  values.reloadImages();
  return true;
}

}  // namespace fw
