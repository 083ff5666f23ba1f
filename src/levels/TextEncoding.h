// TextEncoding: conversions between the UTF-8 strings the engine carries in
// events and files and the UTF-16 strings of the localisation dictionary.
// Invariant: both directions accept any input; an invalid UTF-8 sequence or a
// lone surrogate becomes U+FFFD instead of being dropped or read past its end.
#pragma once

#include <string>

namespace Framework {

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace Framework
