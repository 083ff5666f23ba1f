// Texture files decoded the way the asset store decodes them: any bytes give
// either a picture within the size limit with all of its pixels, or a refusal
// with a reason, never a crash or a huge allocation.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "graphics/ImageDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Framework;
  const DecodedImage image = ImageDecoder::Decode(data, size);
  if (!image.Pixels) {
    FUZZ_CHECK(!image.Error.empty());
    FUZZ_CHECK(image.Width == 0 && image.Height == 0);
    return 0;
  }
  FUZZ_CHECK(image.Error.empty());
  FUZZ_CHECK(image.Width >= 1 && image.Width <= ImageDecoder::MaxSide);
  FUZZ_CHECK(image.Height >= 1 && image.Height <= ImageDecoder::MaxSide);
  // Every pixel is there: the sanitizers catch a buffer shorter than this.
  const std::size_t bytes = static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height) * 4;
  static volatile unsigned sink = 0;  // keeps the reads from being optimised away
  for (std::size_t i = 0; i < bytes; i += 997) sink = sink + image.Pixels.get()[i];
  sink = sink + image.Pixels.get()[bytes - 1];
  return 0;
}
