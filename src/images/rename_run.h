// "Rename images": every picture of the image list gets the common prefix and a number, in
// list order, so that a later sort by name gives the same order. Each keeps its extension.
// A rename never replaces an existing file; a picture whose new name is taken keeps its name.
#pragma once

#include <string>
#include <vector>

namespace fw {

class GalleryValues;
class Host;

inline constexpr const char* kNothingToDoMessage = "Nothing to do!";
inline constexpr const char* kDefaultImagePrefix = "image";

// The decimal form of n, led by zeros to `width` characters.
std::string PadNumber(long long n, int width);

// The new base names (without "." and extension) for `count` pictures, in list order.
std::vector<std::string> SequentialNames(const std::string& prefix, int count);
// Distinct numbers drawn at random from 0 to count x 10 - 1 (the generator seeded from the
// clock), ascending.
std::vector<std::string> RandomNames(const std::string& prefix, int count);

// Renames the pictures and reloads the image list, also when nothing was renamed. False for
// an empty image list, after telling the user "Nothing to do!" (the dialog stays open then).
bool RunRenameImages(GalleryValues& values, Host& host, const std::string& prefix, bool sequential);

}  // namespace fw
