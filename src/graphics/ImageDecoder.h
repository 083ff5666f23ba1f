// ImageDecoder: turns the bytes of a texture file into 8-bit RGBA pixels, the way
// the AssetStore loads every picture. Texture files are PNG images; anything else,
// a damaged file, or a picture no texture could hold is refused with a short reason.
// Invariant: a decoded image has both sides between 1 and MaxSide and exactly
// Width × Height × 4 bytes of pixels; a refused one has no pixels, zero size and
// an Error that says why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Framework {

// Frees a pixel buffer made by the decoder.
struct ImageDeleter {
  void operator()(unsigned char* pixels) const;
};
using PixelBuffer = std::unique_ptr<unsigned char, ImageDeleter>;

struct DecodedImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  PixelBuffer Pixels;  // rows in file order, R, G, B, A per pixel
  std::string Error;   // why there are no pixels ("" when decoded)
};

class ImageDecoder {
 public:
  // The largest side a texture may have: what every GL 4 driver accepts, and a
  // bound on the memory a small file claiming a huge picture can ask for.
  static constexpr std::int32_t MaxSide = 8192;
  // Texture files larger than this are not read at all.
  static constexpr std::size_t MaxFileBytes = 64u << 20;

  static DecodedImage Decode(const unsigned char* bytes, std::size_t size);
  // Reads the whole file and decodes it; a file that cannot be read is refused too.
  static DecodedImage DecodeFile(const std::string& path);
  // One opaque pixel of `rgba` (0xRRGGBBAA): what stands in for a missing picture.
  static DecodedImage FlatColour(std::uint32_t rgba);
};

}  // namespace Framework
