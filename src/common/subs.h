// Text helpers shared across the system. Texts are 8-bit strings; positions are 1-based.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// "#RRGGBB" of a colour value (red in the low byte), upper-case digits.
// A negative value names a system colour and is resolved first (see SystemColourRgb).
std::string ColorToHtml(std::int32_t colour);
// The current RGB (0xRRGGBB) of a system colour value (its index in the low byte): the
// installed resolver's answer, or a fixed light desktop palette when none is installed.
using SystemColourResolver = std::function<std::uint32_t(int index)>;
void SetSystemColourResolver(SystemColourResolver resolver);
std::uint32_t SystemColourRgb(std::int32_t colour);
// Appends the platform separator unless the path is empty or already ends in one.
std::string AddBackslash(const std::string& path);
// 1-based position of `pattern` at or after `start` in `text`, or 0.
int FindFrom(int start, std::string_view text, std::string_view pattern);
// Every occurrence replaced, scanning on after each inserted replacement.
std::string ReplaceAll(std::string text, std::string_view pattern, std::string_view replacement);
// The last n characters; the whole text when n >= its length.
std::string RightPart(const std::string& text, int n);
// The name without the part from its last dot (after the last separator) on.
std::string StripExtension(const std::string& name);
// Size in bytes of the file at `path`; 0 when there is none.
std::int64_t FileSizeOf(const std::string& path);
// Splits `text` at `delimiter` into fields 1..n (fields[0] unused); returns n, or -1 for an
// empty delimiter.
int SplitFields(const std::string& text, std::string_view delimiter,
                std::vector<std::string>& fields);
// Half-to-even rounding of a floating value to an integer.
long long RoundHalfEven(long double value);
// ASCII-only case folding and comparison.
std::string LowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace fw
