// Utf8FromBytes: text of unknown encoding made valid UTF-8 for documents
// other programs read (the JSON of a statistics run, the settings as JSON).
//
// Texts typed on a server or into clanlist.txt are bytes: often ASCII, often
// UTF-8, sometimes Latin-1 from an older Windows editor, sometimes cut in
// the middle of a character by a fixed-size field. Every well-formed UTF-8
// sequence is kept as it is; any other byte is taken as the Latin-1
// character of the same number, so nothing is lost and nothing is refused.
#pragma once

#include <string>
#include <string_view>

namespace mctf {

std::string Utf8FromBytes(std::string_view bytes);
// Whether `bytes` is well-formed UTF-8 already (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view bytes);
// The same into `text`, replacing what it held (and reusing its memory).
void AssignUtf8FromBytes(std::string& text, std::string_view bytes);

}  // namespace mctf
