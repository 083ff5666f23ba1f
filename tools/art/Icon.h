// Icon: the application icon shown by desktop menus and task bars.
// Invariant: every size in kIconSizes is a whole multiple of kIconArtPixels.
#pragma once

#include <array>

#include "Canvas.h"

namespace Framework::Art {

inline constexpr int kIconArtPixels = 16;
// The hicolor theme sizes the desktop looks for, in pixels.
inline constexpr std::array<int, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

Canvas PaintIcon();

}  // namespace Framework::Art
