// PngWriter: writes RGBA pixels as a PNG file, for textures made by tests and
// for screenshots kept as test artifacts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Framework {

// Rows are top-down unless `bottomUp` (the order glReadPixels returns). Creates
// the parent folder; returns false when the file could not be written.
bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              bool bottomUp = false);

}  // namespace Framework
