// Code page 1251 <-> UTF-8, as Windows converts them.
// Decoding is total: every byte has a character (0x98, unassigned, becomes U+0098 and back), so
// decode then encode gives the bytes back. Encoding turns every character that code page 1251
// cannot hold, and every malformed UTF-8 byte, into '?'.
#pragma once

#include <string>
#include <string_view>

namespace tavrix {

std::string Cp1251ToUtf8(std::string_view cp1251);
std::string Utf8ToCp1251(std::string_view utf8);

// The text with every upper-case letter of code page 1251 (Latin and Cyrillic) in lower case, for
// comparisons that ignore case the way Windows compares profile names.
std::string FoldCase1251(std::string_view cp1251);

}  // namespace tavrix
