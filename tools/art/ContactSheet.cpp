#include "ContactSheet.h"

#include "Lettering.h"
#include "Palette.h"
#include "TextureSet.h"

#include <algorithm>

namespace Framework::Art {

namespace {
constexpr int kCellW = 240, kCellH = 200, kLabelH = 28, kColumns = 8, kMargin = 8;
}

void ContactSheet::Add(const std::string& name, const Canvas& art) {
  // Whole-number magnification keeps art pixels square; big pictures shrink by sampling.
  const int maxW = kCellW - 2 * kMargin, maxH = kCellH - kLabelH - kMargin;
  float scale = std::min(static_cast<float>(maxW) / art.Width(), static_cast<float>(maxH) / art.Height());
  if (scale >= 1.0f) scale = static_cast<float>(static_cast<int>(scale));
  const int w = std::max(1, static_cast<int>(art.Width() * scale));
  const int h = std::max(1, static_cast<int>(art.Height() * scale));
  Canvas thumb(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      thumb.Set(x, y, art.Get(static_cast<int>(x / scale), static_cast<int>(y / scale)));
  entries_.push_back({name, std::move(thumb), art.Width() * kTexelsPerArtPixel,
                      art.Height() * kTexelsPerArtPixel});
}

Canvas ContactSheet::Compose(const PixelFont& font) const {
  const int rows = (static_cast<int>(entries_.size()) + kColumns - 1) / kColumns;
  Canvas sheet(kColumns * kCellW, std::max(rows, 1) * kCellH, Pal::Sky);
  const TextLook nameLook{Pal::Ink, {}, {}, {}, 1};
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const int cx = static_cast<int>(i % kColumns) * kCellW, cy = static_cast<int>(i / kColumns) * kCellH;
    sheet.OutlineRect(cx, cy, kCellW, kCellH, Pal::SkyDeep);
    const int areaH = kCellH - kLabelH;
    sheet.Blit(e.Thumb, cx + (kCellW - e.Thumb.Width()) / 2, cy + (areaH - e.Thumb.Height()) / 2);
    DrawTextCentered(sheet, font, cx + kCellW / 2, cy + areaH, e.Name, 8, nameLook);
    const std::string size = std::to_string(e.Width) + "x" + std::to_string(e.Height);
    DrawTextCentered(sheet, font, cx + kCellW / 2, cy + areaH + 12, size, 8, TextLook{Pal::Navy, {}, {}, {}, 1});
  }
  return sheet;
}

}  // namespace Framework::Art
