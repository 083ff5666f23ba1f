// InstanceBatch: every untextured quad and particle of a frame, drawn in one
// instanced, lit pass of the "Instance" program, with the frame's lights.
// Quads are queued during the frame (Add) and drawn once (Draw); the lists are
// emptied each frame but keep their capacity. The opaque quads at the head of the
// queue (the level's blocks and sky bands) are drawn nearest first, so that the
// renderer drops what they hide before lighting it; the picture is the same.
// Each pixel's lighting loops over the point lights, which costs a software
// renderer more than anything else it draws. So every quad is drawn as pieces of
// at most PieceSize units a side, each carrying the list of the lights whose radius
// reaches it: a pixel loops only over lamps that can light it, and a piece wholly
// out of view is not sent. A light that cannot reach a pixel adds nothing to it, so
// the picture stays the same.
// Invariants: Models, Colors, Worlds and Depths always hold the same number of
// entries; the light uniforms never send more point lights than were gathered this
// frame; the GPU objects exist only between CreateBuffers and DestroyBuffers, with
// the context current.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
  // The longest side of a piece, in world units: small enough that a lamp's glow
  // (radius 7 to 10) reaches few pieces, large enough that a frame has few hundred.
  static constexpr float PieceSize = 4.0f;
  // Light numbers a piece can carry, one byte each in four words; a piece reached
  // by more loops over every light.
  static constexpr int PieceLightSlots = 16;
  // The light count that means "every light of the frame".
  static constexpr std::uint32_t AllLights = 0xFFu;

  // What a piece is told about its lights.
  struct PieceLights {
    std::uint32_t Words[4] = {};  // light numbers, four a word, lowest byte first
    std::uint32_t Count = 0;      // how many of them, or AllLights
  };

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

  GLuint ColorBuffer = 0, ModelBuffer = 0, WorldBuffer = 0, DepthBuffer = 0, PieceBuffer = 0, LightListBuffer = 0;
  GLuint Vao = 0;

 private:
  // Puts the quads' pieces in view into the staging lists, with their lights, and
  // returns how many pieces come from the opaque quads at the head of the queue.
  // With `nearestFirst` those quads go nearest first (keeping the order of quads at
  // one depth) and the rest after, otherwise everything stays in queue order.
  std::size_t StageInDrawOrder(bool nearestFirst, int pointLights);
  // Appends the pieces of quad `index` that are in view.
  void StagePieces(std::size_t index, int pointLights);
  // The lights whose glow reaches the camera-relative box [low, high].
  PieceLights LightsReaching(float lowX, float lowY, float highX, float highY, int pointLights) const;

  std::vector<std::size_t> order_;
  std::vector<Mat4> stagedModels_, stagedWorlds_;
  std::vector<Rgba> stagedColors_;
  std::vector<float> stagedDepths_;
  // Each piece's part of its quad: left, bottom, right, top, in the quad's own -0.5..0.5.
  std::vector<std::array<float, 4>> stagedPieces_;
  std::vector<PieceLights> stagedLights_;
};

}  // namespace Framework
