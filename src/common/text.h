// Text helpers. Texts are 8-bit strings; positions are 1-based; case is ASCII case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

// 1-based position of `pattern` at or after `start` in `text`, or 0.
int FindFrom(int start, std::string_view text, std::string_view pattern);
// Every occurrence replaced, scanning on after each inserted replacement.
std::string ReplaceAll(std::string text, std::string_view pattern, std::string_view replacement);
// The last n characters; the whole text when n >= its length.
std::string RightPart(const std::string& text, int n);
// Splits `text` at `delimiter` into fields 1..n (fields[0] unused); returns n, or -1 for an
// empty delimiter.
int SplitFields(const std::string& text, std::string_view delimiter,
                std::vector<std::string>& fields);
// ASCII-only case folding and comparison.
std::string LowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace fw
