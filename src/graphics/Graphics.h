// Graphics: the system that owns the OpenGL context and runs the passes of every
// frame in order: the camera, then at the art's resolution in the WorldTarget the sky
// clear, the world (the frame's lights gathered first; textured sprites one by one,
// skipping those out of view, each warmed by the point lights that reach it;
// untextured quads and particles into the InstanceBatch, drawn in one lit call) and
// the menus' backdrop and pictures; then, scaled up onto the window, at the window's
// resolution the timed messages (ScreenText), the menu pass (its text and lines), the
// debug overlay (DebugOverlay)
// and the mouse cursor. It also owns the Camera and the "Basic" path (DrawImmediate).
// Invariants: every GL object named here exists only between Initialize and the
// destructor, with Context current; the unit quad is in QuadBuffer whenever the
// instanced draw runs; between frames the window's framebuffer is bound with the
// window's viewport, and Camera.Projection is the window's; outside the world pass
// the "Texture" program reads no point light, so menus and text are never lit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <SDL.h>

#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "engine/Vec3.h"
#include "graphics/Camera.h"
#include "graphics/InstanceBatch.h"
#include "graphics/Mat4.h"
#include "graphics/ScreenText.h"
#include "graphics/SpriteLights.h"
#include "graphics/WorldTarget.h"
#include "objects/GameObject.h"

namespace Framework {

class Light;
class PointLight;
struct ShaderProgram;
class Sprite;
class Transform;

class Graphics : public InterfaceSystem {
 public:
  static constexpr int MaxPointLights = InstanceBatch::MaxPointLights;
  // Depth of every particle quad: in front of the world, behind menu parts.
  static constexpr float ParticleDepth = 0.02f;
  // DrawImmediate's mode for a quad of four vertices (the other mode is GL_LINE).
  static constexpr GLenum ImmediateQuad = 4;
  // The unit quad every untextured shape is drawn from, as a triangle fan.
  static constexpr float UnitQuad[12] = {
      -0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f,
  };

  static Graphics& Instance();

  // Creates the GL context for Window, loads the assets, makes the GPU objects,
  // subscribes the listeners and builds the cursor.
  void Initialize() override;
  // Draws the frame (DrawFrame) and shows it.
  void Update(float dt, bool paused) override;
  // Everything a frame draws, into the back buffer, without showing it.
  void DrawFrame(float dt);
  bool IsReady() const { return initialized_; }
  ~Graphics() override;
  std::string GetName() const { return "Graphics"; }

  // Matrices of one drawn quad. The z of `position` does not enter them.
  Mat4 WorldMatrix(Vec3 position, Vec3 scale, float rotation) const;
  Mat4 ModelMatrix(Vec3 position, Vec3 scale, float rotation) const;

  // The "Basic" path (menu pass, debug overlay): the caller makes "Basic" current
  // and issues the draw call. ImmediateQuad takes 4 vertices, GL_LINE takes 2.
  void DrawImmediate(const Mat4& matrix, const float* vertices, const float* colors, GLenum mode);

  // Queues one untextured quad (or particle) for this frame's instanced draw.
  void AddInstance(const Mat4& world, const Mat4& model, Rgba color, float depth) {
    Batch.Add(world, model, color, depth);
  }
  void DrawInstanced() { Batch.Draw(Camera); }

  void RenderText(const std::u16string& text, float x, float y, float size, Color3 color) {
    Text.RenderText(text, x, y, size, color);
  }
  void RenderTextNarrow(const std::string& text, float x, float y, float size, Color3 color) {
    Text.RenderTextNarrow(text, x, y, size, color);
  }
  float TextWidth(const std::u16string& text, float size) const { return Text.TextWidth(text, size); }

  // A GraphicsEvent asks for a timed message.
  void OnGraphicsEvent(const GraphicsEvent& event) { Text.OnGraphicsEvent(event); }
  // Jumps the camera to the Factory's player (if any): Serialization calls it once
  // a different level has been built, however the load was asked for.
  void SnapToPlayer();

  bool ShowDebug = false;
  Framework::Camera Camera;
  InstanceBatch Batch;
  ScreenText Text{Camera};
  GameObject Cursor;
  SDL_Window* Window = nullptr;
  SDL_GLContext Context = nullptr;

  // The game's names for the parts' state, kept reachable here.
  std::vector<std::unique_ptr<ScreenMessage>>& Messages = Text.Messages;
  std::vector<Mat4>& InstanceModels = Batch.Models;
  std::vector<Rgba>& InstanceColors = Batch.Colors;
  std::vector<Mat4>& InstanceWorlds = Batch.Worlds;
  std::vector<float>& InstanceDepths = Batch.Depths;
  std::vector<Light*>& FrameLights = Batch.Lights;

  // GPU objects of the Basic path, made once in Initialize; the batch shares both buffers.
  GLuint ColorBuffer = 0, QuadBuffer = 0;
  GLuint BasicVao = 0;

  // Hooks for the layers above, connected by the game; tests put their own in. Each may be empty.
  // True while the menu system shows a menu (the camera drifts, the menu pass runs).
  std::function<bool()> MenuShown;
  // Dims the world under the open menus and paints their pictures, drawn with the
  // world at the art's resolution.
  std::function<void(Graphics&)> MenuBackdrop;
  // Draws the open menus' text and lines at the window's resolution, after the world.
  // This pass and the overlay pass paint in order with the depth test off.
  std::function<void(Graphics&)> MenuPass;
  // Appends this frame's particles with AddInstance.
  std::function<void(Graphics&)> CollectParticles;
  // The level slot being played (for the camera pin); empty: Serialization's CurrentLevel.
  std::function<int()> CurrentLevel;
  // True while someone else steers the camera (the level editor): it stops following.
  std::function<bool()> CameraHeld;
  // Draws over the world and the menus, under the cursor (the level editor's marks).
  std::function<void(Graphics&)> OverlayPass;
  // False for a draw depth someone hides (the level editor's bands): sprites there are skipped.
  std::function<bool(float)> DepthShown;

 private:
  Graphics();
  void CreateBasicPath();
  void BuildCursor();
  // This frame's lights into FrameLights, from every drawn object that carries one;
  // point lights only when their glow reaches into the view.
  void GatherLights();
  bool ReachesView(const PointLight& light, const Transform& at) const;
  // One textured sprite of the world, lit by the frame's point lights that reach it.
  void DrawLitSprite(const ShaderProgram& texture, const Sprite& sprite, const Transform& t, const Mat4& model,
                     const Mat4& world);
  void WorldPass();
  // Whether a quad under `model` (the unit quad, transformed to clip space) is in view.
  static bool InView(const Mat4& model);
  void DrawCursor();
  Framework::Camera::FollowInputs GatherFollowInputs() const;

  WorldTarget target_;
  // The "Texture" program's point lights, sent sprite by sprite.
  SpriteLights spriteLights_;
  std::uint64_t framesDrawn_ = 0;
  Subscription graphicsListener_;
  bool initialized_ = false;
};

}  // namespace Framework
