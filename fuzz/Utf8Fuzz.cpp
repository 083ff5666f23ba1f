// The dictionary's UTF-8 to UTF-16 conversion: any bytes convert without reading
// past the end, each byte gives at most one UTF-16 unit (or a pair for four bytes),
// no unpaired surrogate comes out, and converting the result back and forth again
// changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "levels/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Framework;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::u16string wide = Utf8ToUtf16(text);
  FUZZ_CHECK(wide.size() <= text.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      FUZZ_CHECK(i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF);
      ++i;
    } else {
      FUZZ_CHECK(unit < 0xDC00 || unit > 0xDFFF);
    }
  }
  const std::string narrow = Utf16ToUtf8(wide);
  FUZZ_CHECK(Utf8ToUtf16(narrow) == wide);
  // Text that was valid UTF-8 comes back byte for byte.
  if (wide.find(u'\uFFFD') == std::u16string::npos) FUZZ_CHECK(narrow == text);
  return 0;
}
