// Graphics: the system that owns the OpenGL context and draws every frame: the sky
// clear, the world (untextured quads and particles in ONE instanced, lit draw call;
// textured sprites one by one), timed screen messages, the debug overlay and the
// mouse cursor. It also owns the Camera.
// Invariants: every GL object named here exists only between Initialize and the
// destructor, with Context current; the per-frame instance lists always hold the
// same number of entries (one per untextured quad) and keep their capacity; the
// light uniforms never send more point lights than were gathered this frame.
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
#include "graphics/Camera.h"
#include "graphics/Mat4.h"
#include "graphics/Vec3.h"
#include "objects/GameObject.h"

namespace Framework {

class Light;
struct ShaderProgram;

// A timed text on screen: a copy of the GraphicsEvent that asked for it.
struct ScreenMessage {
  std::int32_t Command = 1;
  std::string Text;
  float Size = 20.0f;
  float X = 0.0f, Y = 0.0f;
  float Elapsed = 0.0f;   // seconds shown so far
  float Lifetime = 0.0f;  // seconds to show; 0 is drawn exactly once
  Color3 Color;
};

// Per-quad colour as it goes to the GPU.
struct Rgba {
  float R = 1.0f, G = 1.0f, B = 1.0f, A = 1.0f;
};

class Graphics : public InterfaceSystem {
 public:
  // Point lights the "Instance" program can take in one frame (its array size).
  static constexpr int MaxPointLights = 32;
  // Depth of every particle quad: in front of the world, behind menu parts.
  static constexpr float ParticleDepth = 0.02f;

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
  // and issues the draw call. `mode` 4 takes 4 vertices, GL_LINE takes 2.
  void DrawImmediate(const Mat4& matrix, const float* vertices, const float* colors, GLenum mode);

  // Queues one untextured quad (or particle) for this frame's instanced draw.
  void AddInstance(const Mat4& world, const Mat4& model, Rgba color, float depth);
  // Draws every queued quad in one call, with the frame's lights.
  void DrawInstanced();
  // Gathers FrameLights into the light lists and sets the light uniforms of the
  // currently bound "Instance" program.
  void UploadLights(GLuint program);

  // Text in the font "PressStart2P" at world position (x, y).
  void RenderText(const std::u16string& text, float x, float y, float size, Color3 color);
  // Each byte widened to one character.
  void RenderTextNarrow(const std::string& text, float x, float y, float size, Color3 color);
  float TextWidth(const std::u16string& text, float size) const;

  // Handles a GraphicsEvent (timed message) or a level-changing SerializationEvent.
  void OnGraphicsEvent(const GraphicsEvent& event);
  void OnSerializationEvent(const SerializationEvent& event);

  bool ShowDebug = false;
  std::vector<std::unique_ptr<ScreenMessage>> Messages;
  GameObject Cursor;
  std::vector<Mat4> InstanceModels;
  std::vector<Rgba> InstanceColors;
  std::vector<Mat4> InstanceWorlds;
  std::vector<Light*> FrameLights;
  std::vector<float> InstanceDepths;
  std::vector<float> LightPositions, LightColors, LightRadii;
  SDL_Window* Window = nullptr;
  SDL_GLContext Context = nullptr;
  Framework::Camera Camera;

  // GPU objects, made once in Initialize.
  GLuint ColorBuffer = 0, QuadBuffer = 0, ModelBuffer = 0, WorldBuffer = 0, DepthBuffer = 0;
  GLuint BasicVao = 0, InstanceVao = 0;

  // Hooks for systems that come later or that tests stand in for. Each may be empty.
  // True while the menu system shows a menu (the camera drifts, the menu pass runs).
  std::function<bool()> MenuShown;
  // Draws the open menus after the world.
  std::function<void(Graphics&)> MenuPass;
  // Appends this frame's particles with AddInstance.
  std::function<void(Graphics&)> CollectParticles;
  // The level slot being played (for the camera pin); empty: Serialization's CurrentLevel.
  std::function<int()> CurrentLevel;

 private:
  Graphics();
  void WorldPass(float dt);
  void DrawMessages(float dt);
  void DrawDebugOverlay(GameObject& object, const Mat4& model);
  void DrawCursor();
  // Viewport and camera width from the window's current size.
  void ApplyWindowSize();
  // The mouse position in world units.
  Vec2 MouseWorld() const;
  Framework::Camera::FollowInputs GatherFollowInputs() const;

  Subscription graphicsListener_;
  Subscription serializationListener_;
  bool initialized_ = false;
};

}  // namespace Framework
