// InstanceBatch: every untextured quad and particle of a frame, drawn in one
// instanced, lit pass of the "Instance" program, with the frame's lights.
// Quads are queued during the frame (Add) and drawn once (Draw); the lists are
// emptied each frame but keep their capacity. The opaque quads at the head of the
// queue (the level's blocks and sky bands) are drawn nearest first, so that the
// renderer drops what they hide before lighting it; the picture is the same.
// Invariants: Models, Colors, Worlds and Depths always hold the same number of
// entries; the light uniforms never send more point lights than were gathered this
// frame; the GPU objects exist only between CreateBuffers and DestroyBuffers, with
// the context current.
#pragma once

#include <cstddef>
#include <vector>

#include <GL/glew.h>

#include "graphics/Camera.h"
#include "graphics/Mat4.h"

namespace Framework {

class Light;

// Per-quad colour as it goes to the GPU.
struct Rgba {
  float R = 1.0f, G = 1.0f, B = 1.0f, A = 1.0f;
};

class InstanceBatch {
 public:
  // Point lights the "Instance" program can take in one frame (its array size).
  static constexpr int MaxPointLights = 32;

  // Makes the per-instance buffers and the vertex array that reads them, over the
  // renderer's unit quad (`quadBuffer`) and colour buffer.
  void CreateBuffers(GLuint quadBuffer, GLuint colorBuffer);
  void DestroyBuffers();

  // Empties the quads and the lights for a new frame.
  void Clear();
  void Add(const Mat4& world, const Mat4& model, Rgba color, float depth);
  // Makes "Instance" current and, when anything is queued, draws it all with the lights.
  void Draw(const Camera& camera);
  // Gathers Lights into the light lists and sets the light uniforms of the
  // currently bound program ("Instance", or "Texture" for the lit sprites);
  // returns how many point lights it sent.
  int UploadLights(GLuint program, const Camera& camera);

  std::vector<Mat4> Models;
  std::vector<Rgba> Colors;
  std::vector<Mat4> Worlds;
  std::vector<float> Depths;
  std::vector<Light*> Lights;
  // Point-light uniform data, kept between frames for its capacity.
  std::vector<float> LightPositions, LightColors, LightRadii;

  GLuint ColorBuffer = 0, ModelBuffer = 0, WorldBuffer = 0, DepthBuffer = 0;
  GLuint Vao = 0;

 private:
  // How many quads at the head of the queue are opaque; puts them nearest first
  // (keeping the order of quads at one depth) into the staging lists, the rest after.
  std::size_t StageInDrawOrder();

  std::vector<std::size_t> order_;
  std::vector<Mat4> stagedModels_, stagedWorlds_;
  std::vector<Rgba> stagedColors_;
  std::vector<float> stagedDepths_;
};

}  // namespace Framework
