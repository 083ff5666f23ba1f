#include "support/PngWriter.h"

// The PNG writer is compiled into this file only, privately (static), and its own
// warnings are not ours.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace Framework {

bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              bool bottomUp) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<std::size_t>(width) * height * 4) return false;
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  stbi_flip_vertically_on_write(bottomUp ? 1 : 0);
  return stbi_write_png(path.string().c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

}  // namespace Framework
