#include "levels/TextEncoding.h"

#include <iterator>

#include <utf8.h>

namespace Framework {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsLeadSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrailSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf8ToUtf16(const std::string& text) {
  // Each byte that does not start a valid sequence becomes one U+FFFD on its own, and
  // reading resumes at the next byte (utf8::replace_invalid would fold a broken
  // sequence into a single mark).
  std::u16string out;
  out.reserve(text.size());
  auto from = text.begin();
  while (from != text.end()) {
    const auto bad = utf8::find_invalid(from, text.end());
    utf8::utf8to16(from, bad, std::back_inserter(out));
    if (bad == text.end()) break;
    out.push_back(kReplacement);
    from = bad + 1;
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  // utfcpp throws on a lone surrogate; each one becomes U+FFFD first.
  std::u16string paired = text;
  for (std::size_t i = 0; i < paired.size(); ++i) {
    if (IsLeadSurrogate(paired[i]) && i + 1 < paired.size() && IsTrailSurrogate(paired[i + 1])) {
      ++i;
    } else if (IsLeadSurrogate(paired[i]) || IsTrailSurrogate(paired[i])) {
      paired[i] = kReplacement;
    }
  }
  return utf8::utf16to8(paired);
}

}  // namespace Framework
