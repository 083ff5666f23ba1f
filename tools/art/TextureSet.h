// TextureSet: the catalogue of every texture the game ships, as a name and a
// painter. Painters draw in art pixels; `Factor` is how many texels wide each
// art pixel becomes in the written file.
// Invariant: names are unique and each painter is a pure function of the font,
// so the same build always writes the same bytes.
#pragma once

#include "Canvas.h"
#include "PixelFont.h"

#include <functional>
#include <string>
#include <vector>

namespace Framework::Art {

// Texels per art pixel for every texture. The game samples pictures nearest at
// every scale, so one texel per art pixel looks the same as any whole multiple
// while costing a ninth of the decoding, the upload and the memory.
inline constexpr int kTexelsPerArtPixel = 1;
// How much the scene preview is magnified for review: at 1080p one art pixel of
// a full-screen picture is three screen pixels.
inline constexpr int kPreviewScale = 3;

struct TextureSpec {
  std::string Name;
  std::function<Canvas(const PixelFont&)> Paint;
};

using TextureList = std::vector<TextureSpec>;

void AddCharacterTextures(TextureList& list);
void AddInterfaceTextures(TextureList& list);
void AddScreenTextures(TextureList& list);
void AddLevelTextures(TextureList& list);

// Every texture, in the order they are listed in the index file.
TextureList AllTextures();

}  // namespace Framework::Art
