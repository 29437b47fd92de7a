// The text-block file of a gallery: named sections of lines, CR LF, each closed by "####".
// Every operation streams the file line by line; a rewrite goes to a temporary file beside
// it that replaces the file in one rename, so a failure leaves the old file intact.
#pragma once

#include <string>
#include <vector>

namespace fw {

// The section's content lines joined by CR LF with the final line break kept; "" when the
// file or the section is missing.
std::string ReadSection(const std::string& file, const std::string& section);
// Replaces the section's content, or appends the section at the end.
void WriteSection(const std::string& file, const std::string& section,
                  const std::vector<std::string>& lines);
// Removes the section and the empty line that separates it from the next one.
void DeleteSection(const std::string& file, const std::string& section);

// The lines a memo shows for a section text (a trailing line break adds no line).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace fw
