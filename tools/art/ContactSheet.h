// ContactSheet: one review picture with every texture as a thumbnail on the
// sky colour, labelled with its name, so the whole set can be judged at once.
#pragma once

#include "Canvas.h"
#include "PixelFont.h"

#include <string>
#include <vector>

namespace Framework::Art {

class ContactSheet {
 public:
  // Keeps a thumbnail of `art` (in art pixels) no larger than one cell.
  void Add(const std::string& name, const Canvas& art);
  Canvas Compose(const PixelFont& font) const;

 private:
  struct Entry {
    std::string Name;
    Canvas Thumb;
    int Width, Height;  // of the shipped texture, in texels
  };
  std::vector<Entry> entries_;
};

}  // namespace Framework::Art
