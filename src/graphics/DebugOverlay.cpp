#include "graphics/DebugOverlay.h"

#include <array>
#include <string>

#include "graphics/AssetStore.h"
#include "graphics/Graphics.h"
#include "levels/Localisation.h"
#include "physics/Body.h"

namespace Framework {

namespace {

// The lines are drawn a little long so that slow movement still shows.
constexpr float kAccelerationScale = 0.25f;
constexpr float kVelocityScale = 0.5f;
// Half the unit quad: the orientation line runs from the centre to the right edge.
constexpr float kHalfQuad = 0.5f;
// The shapes' z inside the unit quad's space.
constexpr float kLineZ = 0.5f;
constexpr float kFrameRateSize = 12.0f;

// One colour on all four vertices, as the Basic path takes it.
std::array<float, 16> Solid(float r, float g, float b) {
  return {r, g, b, 1, r, g, b, 1, r, g, b, 1, r, g, b, 1};
}

void DrawLine(Graphics& graphics, const Mat4& model, float x, float y, const std::array<float, 16>& color) {
  const float line[6] = {0.0f, 0.0f, kLineZ, x, y, kLineZ};
  graphics.DrawImmediate(model, line, color.data(), GL_LINE);
  glDrawArrays(GL_LINES, 0, 2);
}

}  // namespace

void DebugOverlay::DrawBody(Graphics& graphics, const Body& body, const Mat4& model) {
  AssetStore::UseProgram(AssetStore::Instance().Program("Basic"));
  DrawLine(graphics, model, body.Acceleration.x * kAccelerationScale, body.Acceleration.y * kAccelerationScale,
           Solid(0, 1, 0));
  DrawLine(graphics, model, body.Velocity.x * kVelocityScale, body.Velocity.y * kVelocityScale, Solid(1, 0, 0));
  DrawLine(graphics, model, kHalfQuad, 0.0f, Solid(0, 0, 0));
  graphics.DrawImmediate(model, Graphics::UnitQuad, Solid(0, 0, 1).data(), Graphics::ImmediateQuad);
  glDrawArrays(GL_LINE_LOOP, 0, 4);
  glBindVertexArray(0);
}

void DebugOverlay::DrawFrameRate(Graphics& graphics, std::int32_t fps) {
  const Camera& camera = graphics.Camera;
  // Only the word is in the dictionary; the number changes every frame.
  std::u16string label = Localisation::Instance().Translate(u"FPS") + u": ";
  for (char digit : std::to_string(fps)) label.push_back(static_cast<char16_t>(digit));
  graphics.Text.RenderShownText(label, camera.Position.x - camera.ViewHalfWidth * 0.5f,
                                camera.Position.y - camera.ViewHalfHeight * 0.5f, kFrameRateSize,
                                Color3{0.0f, 1.0f, 0.0f}, TextLook::Outlined);
}

}  // namespace Framework
