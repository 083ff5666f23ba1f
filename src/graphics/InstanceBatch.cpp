#include "graphics/InstanceBatch.h"

#include <algorithm>
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
  glBindVertexArray(0);
}

void InstanceBatch::DestroyBuffers() {
  const GLuint buffers[3] = {ModelBuffer, WorldBuffer, DepthBuffer};
  glDeleteBuffers(3, buffers);
  glDeleteVertexArrays(1, &Vao);
  ModelBuffer = WorldBuffer = DepthBuffer = Vao = 0;
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

std::size_t InstanceBatch::StageInDrawOrder() {
  const std::size_t count = Models.size();
  std::size_t opaque = 0;
  while (opaque < count && Colors[opaque].A >= 1.0f) ++opaque;
  order_.resize(count);
  for (std::size_t i = 0; i < count; ++i) order_[i] = i;
  // Among opaque quads under the "less" depth test the nearest one keeps the pixel
  // whatever the order, and of two at one depth the first drawn: a stable sort by
  // depth changes nothing on screen. Translucent quads blend with what is already
  // drawn, so they, and everything queued after the first of them, keep their order.
  std::stable_sort(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(opaque),
                   [this](std::size_t a, std::size_t b) { return Depths[a] < Depths[b]; });
  stagedModels_.resize(count);
  stagedWorlds_.resize(count);
  stagedColors_.resize(count);
  stagedDepths_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    stagedModels_[i] = Models[order_[i]];
    stagedWorlds_[i] = Worlds[order_[i]];
    stagedColors_[i] = Colors[order_[i]];
    stagedDepths_[i] = Depths[order_[i]];
  }
  return opaque;
}

void InstanceBatch::Draw(const Camera& camera) {
  const ShaderProgram& program = AssetStore::Instance().Program("Instance");
  AssetStore::UseProgram(program);
  const auto count = static_cast<GLsizei>(Models.size());
  if (count == 0) return;
  // The viewer sits one unit in front of the camera plane, for the specular light.
  glUniform3f(glGetUniformLocation(program.Program, "CameraPos"), camera.Position.x, camera.Position.y,
              camera.Position.z + 1.0f);
  UploadLights(program.Program, camera);
  // Without a first-instance offset everything is drawn in one call, in queue order.
  const bool split = glDrawArraysInstancedBaseInstance != nullptr;
  const auto opaque = static_cast<GLsizei>(split ? StageInDrawOrder() : 0);
  glBindVertexArray(Vao);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Rgba), split ? stagedColors_.data() : Colors.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, ModelBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Mat4), split ? stagedModels_.data() : Models.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, WorldBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Mat4), split ? stagedWorlds_.data() : Worlds.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, DepthBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(float), split ? stagedDepths_.data() : Depths.data(),
               GL_DYNAMIC_DRAW);
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
