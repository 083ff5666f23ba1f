#include "PngFile.h"

#include <fstream>
#include <vector>

// The encoder's implementation lives in this one source file, private to it.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace Framework::Art {

namespace {
void Collect(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

std::size_t WritePng(const std::string& path, const Canvas& canvas, std::string& error) {
  static_assert(sizeof(Rgba) == 4, "pixels are written as packed RGBA");
  stbi_write_png_compression_level = 5;
  std::vector<unsigned char> encoded;
  if (stbi_write_png_to_func(Collect, &encoded, canvas.Width(), canvas.Height(), 4, canvas.Pixels().data(),
                             canvas.Width() * 4) == 0) {
    error = "PNG encoding failed for \"" + path + "\"";
    return 0;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(encoded.data()), static_cast<std::streamsize>(encoded.size()));
  if (!file) {
    error = "cannot write \"" + path + "\"";
    return 0;
  }
  return encoded.size();
}

}  // namespace Framework::Art
