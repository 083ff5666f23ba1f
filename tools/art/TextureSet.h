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

// Texels per art pixel for every texture: at 1080p one art pixel of a
// full-screen picture is three screen pixels, and sprites drawn at twelve art
// pixels per world unit come out at the same size.
inline constexpr int kTexelsPerArtPixel = 3;

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
