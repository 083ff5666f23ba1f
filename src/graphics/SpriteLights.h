// SpriteLights: the point lights the "Texture" program reads while one textured
// sprite is drawn. Every pixel of a lit sprite loops over the lights it is sent, and
// on a software renderer that loop is most of a night level's frame; so each sprite
// is sent only the lights whose glow reaches its box, in the frame's order, rather
// than every light in view. A light that misses the box adds nothing to any of its
// pixels, so the picture is the same to the bit.
// Invariant: Sent() names, in order, the frame lights (indices into the lists given
// to BeginFrame) whose values the program holds now, and "num_lights_used" is its size.
#pragma once

#include <GL/glew.h>

#include <vector>

#include "engine/Vec2.h"

namespace Framework {

class SpriteLights {
 public:
  // The frame's point lights: camera-relative positions (three floats each), colours
  // (three each) and radii, `count` of them, already sent whole to `program` (in use).
  void BeginFrame(GLuint program, const std::vector<float>& positions, const std::vector<float>& colors,
                  const std::vector<float>& radii, int count);
  // Sends the lights reaching the box of half size `half` around the camera-relative
  // `centre` (only when they differ from those sent last); how many that is.
  int Select(Vec2 centre, Vec2 half);
  // Sends no lights: what the menus, the text and the cursor are drawn with.
  void Clear();
  const std::vector<int>& Sent() const { return sent_; }

 private:
  void Send();

  const std::vector<float>* positions_ = nullptr;
  const std::vector<float>* colors_ = nullptr;
  const std::vector<float>* radii_ = nullptr;
  int count_ = 0;
  std::vector<int> sent_;
  std::vector<int> wanted_;
  // The chosen lights' values side by side, as the uniform arrays take them.
  std::vector<float> packedPositions_, packedColors_, packedRadii_;
  GLint countLocation_ = -1;
  GLint positionLocation_ = -1;
  GLint colorLocation_ = -1;
  GLint radiusLocation_ = -1;
};

}  // namespace Framework
