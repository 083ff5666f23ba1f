#include "tools/PngImage.h"

// The decoder is compiled privately into this file (static functions), so the
// tests never clash with whichever library of the game also carries stb_image.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace Framework::Testing {

std::uint32_t PngImage::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)) * 4;
  return (std::uint32_t{Pixels[i]} << 24) | (std::uint32_t{Pixels[i + 1]} << 16) |
         (std::uint32_t{Pixels[i + 2]} << 8) | std::uint32_t{Pixels[i + 3]};
}

PngImage LoadPng(const std::string& path) {
  PngImage image;
  int w = 0, h = 0, channels = 0;
  stbi_uc* data = stbi_load(path.c_str(), &w, &h, &channels, 4);
  if (data == nullptr) return image;
  image.Width = w;
  image.Height = h;
  image.FileChannels = channels;
  image.Pixels.assign(data, data + static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
  stbi_image_free(data);
  return image;
}

}  // namespace Framework::Testing
