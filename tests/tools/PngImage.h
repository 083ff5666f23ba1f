// PngImage: decodes a PNG file into 8-bit RGBA for the tests, the same way the
// game's asset store asks for it (four channels, rows top first).
// Invariant: Pixels holds Width * Height * 4 bytes, or is empty when decoding failed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Framework::Testing {

struct PngImage {
  int Width = 0;
  int Height = 0;
  int FileChannels = 0;
  std::vector<std::uint8_t> Pixels;

  bool Ok() const { return !Pixels.empty(); }
  // RGBA of one texel packed as 0xRRGGBBAA.
  std::uint32_t At(int x, int y) const;
  std::uint8_t AlphaAt(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) & 0xFF); }
};

PngImage LoadPng(const std::string& path);

}  // namespace Framework::Testing
