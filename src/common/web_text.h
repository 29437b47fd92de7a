// How the names of files go into pages: as text or attribute values, and as the path of a
// relative link. File names are bytes and may hold anything but "/" and NUL; a page must show
// each name as it is and every link must reach the file it names, yet an ordinary name
// (letters, digits, "-_.~", blanks, UTF-8 letters) keeps its bytes. Texts the user writes as
// HTML never pass through here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// `text` for element text or a quoted attribute value: & < > " ' become character references,
// and so does every byte that is not part of a valid UTF-8 character (as &#byte;, which a
// browser reads as the byte's Windows-1252 character). All other bytes are kept.
std::string HtmlEscape(std::string_view text);

// `path` (folders apart by "/") as the path of a relative URL that a browser resolves to the
// file of that name: % # ? and the characters a URL or a page could take for something else
// (controls, quotes, < > & : \ [ ] ^ ` { | }) are percent-encoded, and so is every byte that
// is not part of a valid UTF-8 character. The result holds none of & < > " ', so it may stand
// in any attribute value or text of a page as it is.
std::string UrlPath(std::string_view path);

// `text` inside a JavaScript string literal of a script file, which a browser reads in the
// character set of the page that includes it: every valid UTF-8 character beyond ASCII
// becomes \uXXXX (a surrogate pair beyond U+FFFF), so the text reads alike in any page. All
// other bytes are kept.
std::string AsciiScriptText(std::string_view text);

// The length of the valid UTF-8 character (2 to 4 bytes) that starts at `at`, or 0 when
// the bytes there are not one (ASCII bytes are not counted: 0 too).
std::size_t Utf8CharLength(std::string_view text, std::size_t at);

// Whether every byte from 0x80 up belongs to a valid UTF-8 character.
bool IsValidUtf8(std::string_view text);

}  // namespace fw
