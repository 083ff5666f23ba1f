// Palette: the small set of colours every texture is drawn from. Bright,
// saturated fills chosen to read against the game's sky (0.45, 0.8, 0.92), one
// dark ink for every outline, and the menu colours the renderer pairs with them.
// Invariant: painters use these names only, so the whole set stays coherent.
#pragma once

#include "Canvas.h"

namespace Framework::Art::Pal {

inline constexpr Rgba Ink{26, 28, 44, 255};         // outlines, text rims
inline constexpr Rgba Night{51, 60, 87, 255};       // deep shadow
inline constexpr Rgba Slate{86, 108, 134, 255};     // metal, stone shadow
inline constexpr Rgba Mist{148, 176, 194, 255};     // metal, stone
inline constexpr Rgba Snow{244, 244, 244, 255};     // highlights, clouds, text
inline constexpr Rgba Sky{115, 204, 235, 255};      // the renderer's clear colour
inline constexpr Rgba SkyDeep{65, 166, 246, 255};
inline constexpr Rgba Blue{59, 93, 201, 255};
inline constexpr Rgba Navy{41, 54, 111, 255};
inline constexpr Rgba Teal{5, 81, 107, 255};        // the menu buttons' own colour
inline constexpr Rgba TealLight{37, 113, 121, 255};
inline constexpr Rgba Aqua{115, 239, 247, 255};
inline constexpr Rgba Leaf{56, 183, 100, 255};
inline constexpr Rgba LeafLight{167, 240, 112, 255};
inline constexpr Rgba LeafDark{37, 113, 80, 255};
inline constexpr Rgba HillFar{120, 196, 170, 255};  // distant hills fade towards the sky
inline constexpr Rgba HillPale{206, 200, 214, 255}; // distant hills that levels tint to their light
inline constexpr Rgba HillPaleRim{168, 160, 186, 255};
inline constexpr Rgba Bark{107, 58, 42, 255};
inline constexpr Rgba Wood{160, 96, 58, 255};
inline constexpr Rgba Sand{217, 160, 102, 255};
inline constexpr Rgba Red{177, 62, 83, 255};
inline constexpr Rgba Orange{239, 125, 87, 255};
inline constexpr Rgba Gold{255, 205, 117, 255};
inline constexpr Rgba Lemon{255, 255, 96, 255};     // the menu highlight colour
inline constexpr Rgba Mint{61, 232, 107, 255};      // the menu label colour
inline constexpr Rgba Plum{93, 39, 93, 255};

}  // namespace Framework::Art::Pal
