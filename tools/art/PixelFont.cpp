#include "PixelFont.h"

#include <iterator>

#include <utf8.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace Framework::Art {

struct PixelFont::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int currentSize = 0;

  ~Impl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }

  bool SetSize(int size) {
    if (size == currentSize) return true;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) != 0) return false;
    currentSize = size;
    return true;
  }
};

std::u32string DecodeUtf8(std::string_view text) {
  // One U+FFFD per byte that does not start a valid sequence, as the game reads text.
  std::u32string out;
  auto from = text.begin();
  while (from != text.end()) {
    const auto bad = utf8::find_invalid(from, text.end());
    utf8::utf8to32(from, bad, std::back_inserter(out));
    if (bad == text.end()) break;
    out.push_back(U'\uFFFD');
    from = bad + 1;
  }
  return out;
}

PixelFont::PixelFont(const std::string& path) : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) {
    impl_->library = nullptr;
    error_ = "FreeType could not be initialised";
    return;
  }
  if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) != 0) {
    impl_->face = nullptr;
    error_ = "cannot open font file \"" + path + "\"";
  }
}

PixelFont::~PixelFont() = default;

bool PixelFont::Ok() const { return impl_->face != nullptr; }

int PixelFont::Measure(std::string_view text, int size) const {
  if (!Ok() || !impl_->SetSize(size)) return 0;
  int width = 0;
  for (char32_t cp : DecodeUtf8(text)) {
    if (FT_Load_Char(impl_->face, cp, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) continue;
    width += static_cast<int>(impl_->face->glyph->advance.x >> 6);
  }
  return width;
}

int PixelFont::Draw(Canvas& canvas, int x, int top, std::string_view text, int size, Rgba color) const {
  if (!Ok() || !impl_->SetSize(size)) return x;
  const int baseline = top + size;
  int pen = x;
  for (char32_t cp : DecodeUtf8(text)) {
    if (cp != U' ' && FT_Get_Char_Index(impl_->face, cp) == 0) missing_.insert(cp);
    if (FT_Load_Char(impl_->face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) continue;
    const FT_GlyphSlot g = impl_->face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row) {
      const unsigned char* line = bm.buffer + static_cast<long>(row) * bm.pitch;
      for (unsigned col = 0; col < bm.width; ++col) {
        const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (line[col >> 3] >> (7 - (col & 7))) & 1
                                                            : line[col] >= 128;
        if (on) canvas.Set(pen + g->bitmap_left + static_cast<int>(col), baseline - g->bitmap_top + static_cast<int>(row), color);
      }
    }
    pen += static_cast<int>(g->advance.x >> 6);
  }
  return pen;
}

}  // namespace Framework::Art
