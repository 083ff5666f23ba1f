#include "graphics/InstanceBatch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "graphics/AssetStore.h"
#include "graphics/LightUniforms.h"

namespace Framework {

namespace {

// Attribute locations of the "Instance" program.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColorAttribute = 1;
constexpr GLuint kModelAttribute = 2;  // a mat4: four locations
constexpr GLuint kWorldAttribute = 6;  // a mat4: four locations
constexpr GLuint kDepthAttribute = 10;
constexpr GLuint kPieceAttribute = 11;
constexpr GLuint kLightWordsAttribute = 12;
constexpr GLuint kLightCountAttribute = 13;
// The unit quad, drawn as a triangle fan.
constexpr GLsizei kQuadVertices = 4;

// Sets up one mat4 attribute (four vec4 columns) read per instance from `buffer`.
void InstanceMatrixAttribute(GLuint firstLocation, GLuint buffer) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  for (GLuint column = 0; column < 4; ++column) {
    const GLuint location = firstLocation + column;
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, 4, GL_FLOAT, GL_FALSE, sizeof(Mat4),
                          reinterpret_cast<void*>(static_cast<std::uintptr_t>(column * 4 * sizeof(float))));
    glVertexAttribDivisor(location, 1);
  }
}

}  // namespace

void InstanceBatch::CreateBuffers(GLuint quadBuffer, GLuint colorBuffer) {
  ColorBuffer = colorBuffer;
  glGenBuffers(1, &ModelBuffer);
  glGenBuffers(1, &WorldBuffer);
  glGenBuffers(1, &DepthBuffer);
  glGenBuffers(1, &PieceBuffer);
  glGenBuffers(1, &LightListBuffer);
  glGenVertexArrays(1, &Vao);
  AssetStore::UseProgram(AssetStore::Instance().Program("Instance"));

  glBindVertexArray(Vao);
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
  glEnableVertexAttribArray(kPositionAttribute);
  glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glEnableVertexAttribArray(kColorAttribute);
  glVertexAttribPointer(kColorAttribute, 4, GL_FLOAT, GL_FALSE, sizeof(Rgba), nullptr);
  glVertexAttribDivisor(kColorAttribute, 1);
  InstanceMatrixAttribute(kModelAttribute, ModelBuffer);
  InstanceMatrixAttribute(kWorldAttribute, WorldBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, DepthBuffer);
  glEnableVertexAttribArray(kDepthAttribute);
  glVertexAttribPointer(kDepthAttribute, 1, GL_FLOAT, GL_FALSE, sizeof(float), nullptr);
  glVertexAttribDivisor(kDepthAttribute, 1);
  glBindBuffer(GL_ARRAY_BUFFER, PieceBuffer);
  glEnableVertexAttribArray(kPieceAttribute);
  glVertexAttribPointer(kPieceAttribute, 4, GL_FLOAT, GL_FALSE, sizeof(std::array<float, 4>), nullptr);
  glVertexAttribDivisor(kPieceAttribute, 1);
  glBindBuffer(GL_ARRAY_BUFFER, LightListBuffer);
  glEnableVertexAttribArray(kLightWordsAttribute);
  glVertexAttribIPointer(kLightWordsAttribute, 4, GL_UNSIGNED_INT, sizeof(PieceLights), nullptr);
  glVertexAttribDivisor(kLightWordsAttribute, 1);
  glEnableVertexAttribArray(kLightCountAttribute);
  glVertexAttribIPointer(kLightCountAttribute, 1, GL_UNSIGNED_INT, sizeof(PieceLights),
                         reinterpret_cast<void*>(offsetof(PieceLights, Count)));
  glVertexAttribDivisor(kLightCountAttribute, 1);
  glBindVertexArray(0);
}

void InstanceBatch::DestroyBuffers() {
  const GLuint buffers[5] = {ModelBuffer, WorldBuffer, DepthBuffer, PieceBuffer, LightListBuffer};
  glDeleteBuffers(5, buffers);
  glDeleteVertexArrays(1, &Vao);
  ModelBuffer = WorldBuffer = DepthBuffer = PieceBuffer = LightListBuffer = Vao = 0;
}

void InstanceBatch::Clear() {
  Models.clear();
  Colors.clear();
  Worlds.clear();
  Lights.clear();
  Depths.clear();
}

void InstanceBatch::Add(const Mat4& world, const Mat4& model, Rgba color, float depth) {
  Worlds.push_back(world);
  Models.push_back(model);
  Colors.push_back(color);
  Depths.push_back(depth);
}

std::size_t InstanceBatch::StageInDrawOrder(bool nearestFirst, int pointLights) {
  const std::size_t count = Models.size();
  std::size_t opaque = 0;
  if (nearestFirst) {
    while (opaque < count && Colors[opaque].A >= 1.0f) ++opaque;
  }
  order_.resize(count);
  for (std::size_t i = 0; i < count; ++i) order_[i] = i;
  // Among opaque quads under the "less" depth test the nearest one keeps the pixel
  // whatever the order, and of two at one depth the first drawn: a stable sort by
  // depth changes nothing on screen. Translucent quads blend with what is already
  // drawn, so they, and everything queued after the first of them, keep their order.
  std::stable_sort(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(opaque),
                   [this](std::size_t a, std::size_t b) { return Depths[a] < Depths[b]; });
  stagedModels_.clear();
  stagedWorlds_.clear();
  stagedColors_.clear();
  stagedDepths_.clear();
  stagedPieces_.clear();
  stagedLights_.clear();
  std::size_t opaquePieces = 0;
  for (std::size_t i = 0; i < count; ++i) {
    StagePieces(order_[i], pointLights);
    if (i + 1 == opaque) opaquePieces = stagedModels_.size();
  }
  return opaquePieces;
}

void InstanceBatch::StagePieces(std::size_t index, int pointLights) {
  const Mat4& model = Models[index];
  const Mat4& world = Worlds[index];
  // The quad's size in world units: the lengths of its placement's first two columns.
  const auto columnLength = [&world](int column) {
    const float* m = world.Data() + 4 * column;
    return std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
  };
  // Whole pieces of at most PieceSize; a quad of nothing, or of no sane size, stays one piece.
  const auto piecesAlong = [](float length) {
    const float pieces = std::ceil(length / PieceSize);
    constexpr float kMostPieces = 256.0f;
    return pieces >= 1.0f && pieces <= kMostPieces ? static_cast<int>(pieces) : 1;
  };
  const int across = piecesAlong(columnLength(0));
  const int up = piecesAlong(columnLength(1));
  for (int row = 0; row < up; ++row) {
    // Neighbouring pieces share their edge values exactly, so no pixel falls between them.
    const float bottom = -0.5f + static_cast<float>(row) / static_cast<float>(up);
    const float top = row + 1 == up ? 0.5f : -0.5f + static_cast<float>(row + 1) / static_cast<float>(up);
    for (int column = 0; column < across; ++column) {
      const float left = -0.5f + static_cast<float>(column) / static_cast<float>(across);
      const float right =
          column + 1 == across ? 0.5f : -0.5f + static_cast<float>(column + 1) / static_cast<float>(across);
      // Out of view when all four corners lie beyond the same clip edge (w stays 1).
      int beyond[4] = {};
      float low[2] = {INFINITY, INFINITY}, high[2] = {-INFINITY, -INFINITY};
      for (const float x : {left, right}) {
        for (const float y : {bottom, top}) {
          const auto clip = model.Apply(x, y, 0.0f);
          beyond[0] += clip[0] < -clip[3] ? 1 : 0;
          beyond[1] += clip[0] > clip[3] ? 1 : 0;
          beyond[2] += clip[1] < -clip[3] ? 1 : 0;
          beyond[3] += clip[1] > clip[3] ? 1 : 0;
          const auto at = world.Apply(x, y, 0.0f);
          for (int axis = 0; axis < 2; ++axis) {
            low[axis] = std::min(low[axis], at[axis]);
            high[axis] = std::max(high[axis], at[axis]);
          }
        }
      }
      constexpr int kCorners = 4;
      if (beyond[0] == kCorners || beyond[1] == kCorners || beyond[2] == kCorners || beyond[3] == kCorners) continue;
      stagedModels_.push_back(model);
      stagedWorlds_.push_back(world);
      stagedColors_.push_back(Colors[index]);
      stagedDepths_.push_back(Depths[index]);
      stagedPieces_.push_back({left, bottom, right, top});
      stagedLights_.push_back(LightsReaching(low[0], low[1], high[0], high[1], pointLights));
    }
  }
}

InstanceBatch::PieceLights InstanceBatch::LightsReaching(float lowX, float lowY, float highX, float highY,
                                                         int pointLights) const {
  PieceLights lights;
  for (int i = 0; i < pointLights; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const float radius = LightRadii[at];
    // The shader skips a light at its radius and beyond, and one of no radius.
    if (!(radius > 0.0f)) continue;
    const float dx = std::max({lowX - LightPositions[3 * at], LightPositions[3 * at] - highX, 0.0f});
    const float dy = std::max({lowY - LightPositions[3 * at + 1], LightPositions[3 * at + 1] - highY, 0.0f});
    if (dx * dx + dy * dy >= radius * radius) continue;
    if (lights.Count == PieceLightSlots) {
      lights.Count = AllLights;
      return lights;
    }
    constexpr std::uint32_t kBitsPerLight = 8;
    lights.Words[lights.Count / 4] |= static_cast<std::uint32_t>(i) << (kBitsPerLight * (lights.Count % 4));
    ++lights.Count;
  }
  return lights;
}

void InstanceBatch::Draw(const Camera& camera) {
  const ShaderProgram& program = AssetStore::Instance().Program("Instance");
  AssetStore::UseProgram(program);
  if (Models.empty()) return;
  // The viewer sits one unit in front of the camera plane, for the specular light.
  glUniform3f(glGetUniformLocation(program.Program, "CameraPos"), camera.Position.x, camera.Position.y,
              camera.Position.z + 1.0f);
  const int pointLights = UploadLights(program.Program, camera);
  // Without a first-instance offset everything is drawn in one call, in queue order.
  const bool split = glDrawArraysInstancedBaseInstance != nullptr;
  const auto opaque = static_cast<GLsizei>(StageInDrawOrder(split, pointLights));
  const auto count = static_cast<GLsizei>(stagedModels_.size());
  if (count == 0) return;
  glBindVertexArray(Vao);
  const auto upload = [](GLuint buffer, const auto& list) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list.size() * sizeof(list[0])), list.data(),
                 GL_DYNAMIC_DRAW);
  };
  upload(ColorBuffer, stagedColors_);
  upload(ModelBuffer, stagedModels_);
  upload(WorldBuffer, stagedWorlds_);
  upload(DepthBuffer, stagedDepths_);
  upload(PieceBuffer, stagedPieces_);
  upload(LightListBuffer, stagedLights_);
  if (!split) glDrawArraysInstanced(GL_TRIANGLE_FAN, 0, kQuadVertices, count);
  if (split && opaque > 0) {
    // An opaque fragment always passes the alpha test; with the test off the
    // renderer can reject hidden fragments before running the lighting on them.
    const GLboolean alphaTest = glIsEnabled(GL_ALPHA_TEST);
    glDisable(GL_ALPHA_TEST);
    glDrawArraysInstanced(GL_TRIANGLE_FAN, 0, kQuadVertices, opaque);
    if (alphaTest == GL_TRUE) glEnable(GL_ALPHA_TEST);
  }
  if (split && opaque < count) {
    glDrawArraysInstancedBaseInstance(GL_TRIANGLE_FAN, 0, kQuadVertices, count - opaque,
                                      static_cast<GLuint>(opaque));
  }
  glBindVertexArray(0);
}

int InstanceBatch::UploadLights(GLuint program, const Camera& camera) {
  const LightUniforms lights =
      LightUniforms::Gather(Lights, camera.Position, MaxPointLights, LightPositions, LightColors, LightRadii);
  glUniform3f(glGetUniformLocation(program, "dirLight.direction"), lights.DirDirection.x, lights.DirDirection.y,
              lights.DirDirection.z);
  if (lights.HasDirLight) {
    glUniform3f(glGetUniformLocation(program, "dirLight.color"), lights.DirColor.R, lights.DirColor.G,
                lights.DirColor.B);
  }
  glUniform1i(glGetUniformLocation(program, "num_lights_used"), lights.PointCount);
  if (lights.PointCount > 0) {
    glUniform3fv(glGetUniformLocation(program, "pointLightsPosition"), lights.PointCount, LightPositions.data());
    glUniform3fv(glGetUniformLocation(program, "pointLightsColor"), lights.PointCount, LightColors.data());
    glUniform1fv(glGetUniformLocation(program, "pointLightsRadius"), lights.PointCount, LightRadii.data());
  }
  return lights.PointCount;
}

}  // namespace Framework
