// PixelFont: draws UTF-8 text with the game's TrueType font through FreeType,
// rendered one bit per pixel so the glyphs land exactly on the art-pixel grid.
// Invariant: sizes are whole multiples of the font's 8-pixel design grid; a
// font that failed to load draws nothing and measures 0 (Ok() says which).
#pragma once

#include "Canvas.h"

#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace Framework::Art {

class PixelFont {
 public:
  explicit PixelFont(const std::string& path);
  ~PixelFont();
  PixelFont(const PixelFont&) = delete;
  PixelFont& operator=(const PixelFont&) = delete;

  bool Ok() const;
  // Why loading failed (empty when it did not).
  const std::string& Error() const { return error_; }

  // Width in pixels of `text` at `size` pixels per em.
  int Measure(std::string_view text, int size) const;
  // Draws `text` with the top of its em box at `top`; glyph rows cover
  // [top, top + size * 7 / 8). Returns the pen position after the text.
  int Draw(Canvas& canvas, int x, int top, std::string_view text, int size, Rgba color) const;
  // Code points asked for so far that the font has no glyph for: a word drawn
  // with a hole in it must fail the build rather than ship.
  const std::set<char32_t>& Missing() const { return missing_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string error_;
  mutable std::set<char32_t> missing_;
};

// Decodes UTF-8; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace Framework::Art
