#include "graphics/ImageDecoder.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

// The image decoder is compiled into this one source, PNG only: the game's
// pictures are PNG, and every other decoder would only widen what a damaged or
// foreign file can reach.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace Framework {

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kRgba = 4;
// Where the PNG header chunk puts its tag, width and height.
constexpr std::size_t kHeaderTagAt = 12;
constexpr std::size_t kWidthAt = 16;
constexpr std::size_t kHeightAt = 20;
constexpr std::size_t kHeaderEnd = 24;

std::uint32_t BigEndian(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
         static_cast<std::uint32_t>(at[2]) << 8 | at[3];
}
static_assert(STBI_MAX_DIMENSIONS == ImageDecoder::MaxSide);

// The PNG chunk frame: length, tag, data, checksum.
constexpr std::size_t kChunkHead = 8;
constexpr std::size_t kChunkFrame = 12;

// The file's chunks as the decoder will meet them. stb_image trusts two things it
// should not (both found by fuzzing): a chunk's declared length, for which it
// allocates before it finds the data missing (gigabytes for a few hundred bytes),
// and the first image-data chunk having data, which it otherwise copies from a
// null pointer. So a chunk longer than the rest of the file refuses the image,
// and empty image-data chunks, which carry nothing, are taken out (into `kept`;
// nothing is copied when there are none).
bool CheckChunks(const unsigned char* bytes, std::size_t size, std::vector<unsigned char>& kept) {
  std::size_t copiedTo = 0;
  for (std::size_t at = sizeof kPngSignature; at + kChunkHead <= size;) {
    const std::uint32_t length = BigEndian(bytes + at);
    const std::uint64_t next = at + kChunkFrame + std::uint64_t{length};
    if (next > size) return false;
    if (length == 0 && std::memcmp(bytes + at + 4, "IDAT", 4) == 0) {
      kept.insert(kept.end(), bytes + copiedTo, bytes + at);
      copiedTo = static_cast<std::size_t>(next);
    }
    at = static_cast<std::size_t>(next);
  }
  if (copiedTo != 0) kept.insert(kept.end(), bytes + copiedTo, bytes + size);
  return true;
}

DecodedImage Refused(std::string why) {
  DecodedImage image;
  image.Error = std::move(why);
  return image;
}

}  // namespace

void ImageDeleter::operator()(unsigned char* pixels) const { stbi_image_free(pixels); }

DecodedImage ImageDecoder::Decode(const unsigned char* bytes, std::size_t size) {
  if (size == 0) return Refused("the file is empty");
  if (size < sizeof kPngSignature || std::memcmp(bytes, kPngSignature, sizeof kPngSignature) != 0) {
    return Refused("not a PNG image (wrong signature)");
  }
  if (size > MaxFileBytes) return Refused("the file is larger than " + std::to_string(MaxFileBytes >> 20) + " MB");
  // The size is checked before anything is decoded: a small file may claim a huge picture.
  if (size < kHeaderEnd || std::memcmp(bytes + kHeaderTagAt, "IHDR", 4) != 0) return Refused("damaged PNG header");
  const std::uint32_t width = BigEndian(bytes + kWidthAt);
  const std::uint32_t height = BigEndian(bytes + kHeightAt);
  if (width < 1 || height < 1) return Refused("the picture has no pixels");
  if (width > static_cast<std::uint32_t>(MaxSide) || height > static_cast<std::uint32_t>(MaxSide)) {
    return Refused("the picture is " + std::to_string(width) + "x" + std::to_string(height) +
                   " pixels, larger than the " + std::to_string(MaxSide) + "x" + std::to_string(MaxSide) +
                   " a texture may be");
  }
  std::vector<unsigned char> cleaned;
  if (!CheckChunks(bytes, size, cleaned)) return Refused("damaged PNG data (a chunk runs past the end of the file)");
  if (!cleaned.empty()) {
    bytes = cleaned.data();
    size = cleaned.size();
  }
  DecodedImage image;
  int channels = 0;
  image.Pixels.reset(
      stbi_load_from_memory(bytes, static_cast<int>(size), &image.Width, &image.Height, &channels, kRgba));
  if (!image.Pixels) return Refused(std::string("damaged PNG data (") + stbi_failure_reason() + ")");
  return image;
}

DecodedImage ImageDecoder::DecodeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return Refused("cannot open the file");
  const std::streamoff size = in.tellg();
  if (size < 0) return Refused("cannot read the file");
  if (static_cast<std::uint64_t>(size) > MaxFileBytes) {
    return Refused("the file is larger than " + std::to_string(MaxFileBytes >> 20) + " MB");
  }
  in.seekg(0);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return Refused("cannot read the file");
  return Decode(bytes.data(), bytes.size());
}

DecodedImage ImageDecoder::FlatColour(std::uint32_t rgba) {
  DecodedImage image;
  // Allocated the way the decoder allocates, so that ImageDeleter frees either.
  image.Pixels.reset(static_cast<unsigned char*>(STBI_MALLOC(kRgba)));
  if (!image.Pixels) return Refused("out of memory");
  for (int i = 0; i < kRgba; ++i) image.Pixels.get()[i] = static_cast<unsigned char>(rgba >> (8 * (kRgba - 1 - i)));
  image.Width = 1;
  image.Height = 1;
  return image;
}

}  // namespace Framework
