// ScenePreview: a mock frame of play built from the shipped textures at their
// intended size (twelve art pixels per world unit), for judging whether the
// characters, hazards, props and scenery read together on the sky.
#pragma once

#include "Canvas.h"
#include "PixelFont.h"

namespace Framework::Art {

Canvas PaintScenePreview(const PixelFont& font);

}  // namespace Framework::Art
