#include "graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventListener.h"
#include "engine/Windows.h"
#include "graphics/AssetStore.h"
#include "graphics/DebugOverlay.h"
#include "graphics/DirLight.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

using GraphicsEventListener = EventListener<&Graphics::OnGraphicsEvent>;

// Fragments this transparent or more are dropped, so they never hide what lies behind.
constexpr float kAlphaTestReference = 0.1f;
// Attribute locations of the "Basic" program.
constexpr GLuint kBasicPosition = 0;
constexpr GLuint kBasicColor = 1;

// The GL context for `window` with its entry points loaded; nullptr (said once)
// when none can be made.
SDL_GLContext OpenContext(SDL_Window* window) {
  glewExperimental = GL_TRUE;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    std::cout << "Graphics: OpenGL context could not be created! Error: " << SDL_GetError() << "\n";
    return nullptr;
  }
  // Some platforms (virtual displays among them) refuse vsync; the frame cap still holds.
  SDL_GL_SetSwapInterval(1);
  const GLenum glewStatus = glewInit();
  if (glewStatus != GLEW_OK) {
    // GLEW may fail to find a GLX display but still have loaded the entry points.
    std::cout << "Graphics: glewInit reported: " << reinterpret_cast<const char*>(glewGetErrorString(glewStatus))
              << "\n";
  }
  return context;
}

// Blending, the depth test and the alpha test as every pass expects them.
void SetDrawState() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glAlphaFunc(GL_GREATER, kAlphaTestReference);
  glEnable(GL_ALPHA_TEST);
}

// The uniform locations the drawing code sets on the two shader programs.
void FindUniforms(AssetStore& store) {
  for (const char* name : {"Basic", "Texture"}) {
    ShaderProgram& program = store.Program(name);
    program.TransformLocation = glGetUniformLocation(program.Program, "transform");
  }
  ShaderProgram& texture = store.Program("Texture");
  texture.TintLocation = glGetUniformLocation(texture.Program, "tint");
  texture.AlphaLocation = glGetUniformLocation(texture.Program, "alpha");
  texture.WorldLocation = glGetUniformLocation(texture.Program, "world");
}

}  // namespace

Graphics& Graphics::Instance() {
  // The window must exist before its context is made and outlive it; the event
  // system must outlive our subscriptions.
  Windows::Instance();
  EventSystem::Instance();
  static Graphics instance;
  return instance;
}

Graphics::Graphics() : Window(Windows::Instance().Window) { Camera.RebuildMatrices(); }

Graphics::~Graphics() {
  if (!initialized_) return;
  // GL objects die while their context is still current.
  Cursor.DestroyComponents();
  Messages.clear();
  target_.Destroy();
  glDisableVertexAttribArray(0);
  Batch.DestroyBuffers();
  const GLuint buffers[2] = {ColorBuffer, QuadBuffer};
  glDeleteBuffers(2, buffers);
  glDeleteVertexArrays(1, &BasicVao);
  SDL_GL_DeleteContext(Context);
  Context = nullptr;
}

void Graphics::Initialize() {
  if (initialized_) return;
  if (Window == nullptr) {
    std::cout << "Graphics: no window to draw in; nothing will be drawn\n";
    return;
  }
  Context = OpenContext(Window);
  if (Context == nullptr) return;
  initialized_ = true;
  SetDrawState();

  ShowDebug = false;
  Messages.clear();

  Windows::Instance().ApplyWindowSize();
  Camera.RebuildMatrices();

  FindUniforms(AssetStore::Instance());

  glGenBuffers(1, &ColorBuffer);
  glGenBuffers(1, &QuadBuffer);
  Batch.CreateBuffers(QuadBuffer, ColorBuffer);
  CreateBasicPath();

  graphicsListener_ = Listen<GraphicsEventListener>(this);

  // Level titles and notices are placed around the live camera.
  Serialization::Instance().Hooks.Camera = [this] {
    return CameraView{{Camera.Position.x, Camera.Position.y}, Camera.ViewHalfWidth, Camera.ViewHalfHeight};
  };
  // After the new world is built, not on the request: the request arrives while
  // the outgoing level (and its player) still stands.
  Serialization::Instance().Hooks.LevelChanged = [this] { SnapToPlayer(); };
  BuildCursor();
}

void Graphics::CreateBasicPath() {
  glGenVertexArrays(1, &BasicVao);
  glBindVertexArray(BasicVao);
  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  glEnableVertexAttribArray(kBasicPosition);
  glVertexAttribPointer(kBasicPosition, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glEnableVertexAttribArray(kBasicColor);
  glVertexAttribPointer(kBasicColor, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
  glBindVertexArray(0);

  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof(UnitQuad), UnitQuad, GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Graphics::BuildCursor() {
  auto* cursorSprite = Cursor.Attach(std::make_unique<Sprite>());
  cursorSprite->Initialize();
  cursorSprite->SetFilename(SpriteType::Cursor);
  auto* cursorTransform = Cursor.Attach(std::make_unique<Transform>());
  cursorTransform->Initialize();
  // Nearest of all: the cursor is never hidden.
  cursorTransform->ZLayer = 0.0f;
}

void Graphics::Update(float dt, bool /*paused*/) {
  if (!initialized_) return;
  DrawFrame(dt);
  SDL_GL_SwapWindow(Window);
}

void Graphics::DrawFrame(float dt) {
  if (!CameraHeld || !CameraHeld()) Camera.Follow(dt, GatherFollowInputs());
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  // The very first frame goes straight onto the window: it shows sooner without
  // waiting for the renderer to prepare the target's own drawing and scaling code.
  const bool offscreen = framesDrawn_++ > 0 && target_.Begin(viewport[2], viewport[3]);
  const Mat4 windowProjection = Camera.Projection;
  if (offscreen) {
    const WorldTarget::Layout& layout = target_.Current();
    Camera.Projection = Mat4::Scale(layout.ScaleX, layout.ScaleY, 1.0f) * windowProjection;
  }
  glEnable(GL_DEPTH_TEST);
  glClearColor(Sprite::SkyColor.R, Sprite::SkyColor.G, Sprite::SkyColor.B, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  WorldPass();
  const bool menuShown = MenuShown && MenuShown();
  if (menuShown && MenuBackdrop) MenuBackdrop(*this);
  Camera.Projection = windowProjection;
  if (offscreen) target_.Present(viewport[2], viewport[3]);
  // What follows is painted in order, later over earlier, with no depth test: then
  // the window's depth buffer needs no clearing, which at full resolution costs a
  // software renderer a tenth of the frame.
  glDisable(GL_DEPTH_TEST);
  Text.DrawMessages(dt);
  if (menuShown && MenuPass) MenuPass(*this);
  if (OverlayPass) OverlayPass(*this);
  if (ShowDebug) DebugOverlay::DrawFrameRate(*this, Engine::Instance().Fps);
  DrawCursor();
}

bool Graphics::InView(const Mat4& model) {
  // Clip space is orthographic here (w stays 1), so the quad is out of view exactly
  // when all four corners lie beyond the same edge.
  int left = 0, right = 0, below = 0, above = 0;
  for (const float cx : {-0.5f, 0.5f}) {
    for (const float cy : {-0.5f, 0.5f}) {
      const auto p = model.Apply(cx, cy, 0.0f);
      left += p[0] < -p[3] ? 1 : 0;
      right += p[0] > p[3] ? 1 : 0;
      below += p[1] < -p[3] ? 1 : 0;
      above += p[1] > p[3] ? 1 : 0;
    }
  }
  constexpr int kCorners = 4;
  return left < kCorners && right < kCorners && below < kCorners && above < kCorners;
}

Mat4 Graphics::WorldMatrix(Vec3 position, Vec3 scale, float rotation) const {
  Mat4 m = Mat4::Translation(position.x - Camera.Position.x, position.y - Camera.Position.y, 0.0f);
  if (rotation != 0.0f) m = m * Mat4::RotationZ(rotation);
  return m * Mat4::Scale(scale.x, scale.y, scale.z);
}

Mat4 Graphics::ModelMatrix(Vec3 position, Vec3 scale, float rotation) const {
  return Camera.Projection * Camera.View * WorldMatrix(position, scale, rotation);
}

void Graphics::DrawImmediate(const Mat4& matrix, const float* vertices, const float* colors, GLenum mode) {
  constexpr GLsizeiptr kFourColors = 16 * sizeof(float);
  glBindVertexArray(BasicVao);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glBufferData(GL_ARRAY_BUFFER, kFourColors, colors, GL_DYNAMIC_DRAW);
  glUniformMatrix4fv(AssetStore::Instance().Program("Basic").TransformLocation, 1, GL_FALSE, matrix.Data());
  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  if (mode == ImmediateQuad) {
    glBufferData(GL_ARRAY_BUFFER, 4 * 3 * sizeof(float), vertices, GL_DYNAMIC_DRAW);
  } else if (mode == GL_LINE) {
    glBufferData(GL_ARRAY_BUFFER, 2 * 3 * sizeof(float), vertices, GL_DYNAMIC_DRAW);
  }
}

bool Graphics::ReachesView(const PointLight& light, const Transform& at) const {
  // Every lit fragment runs through the whole light list, and most lamps and
  // fireflies of a level are far off screen: only those whose glow touches the
  // view are sent.
  const float reach = 2.0f * light.Radius;
  const Vec3 centre{at.Position.x + light.Offset.x, at.Position.y + light.Offset.y, 0.0f};
  return InView(ModelMatrix(centre, Vec3{reach, reach, 1.0f}, 0.0f));
}

void Graphics::GatherLights() {
  for (auto& [id, object] : Factory::Instance().Objects) {
    (void)id;
    // Lights are collected from drawn objects only.
    if (object->GetComponent<Sprite>() == nullptr || object->GetComponent<Transform>() == nullptr) continue;
    if (auto* point = object->GetComponent<PointLight>()) {
      if (point->On && ReachesView(*point, *object->GetComponent<Transform>())) FrameLights.push_back(point);
    } else if (auto* dir = object->GetComponent<DirLight>()) {
      if (dir->On) FrameLights.push_back(dir);
    }
  }
}

void Graphics::WorldPass() {
  Batch.Clear();
  // The lights come first: the textured sprites are drawn as the walk below meets
  // them, and a lantern lights the ground drawn before it as well as after.
  GatherLights();
  const ShaderProgram& texture = AssetStore::Instance().Program("Texture");
  AssetStore::UseProgram(texture);
  const int lights = Batch.UploadLights(texture.Program, Camera);
  spriteLights_.BeginFrame(texture.Program, Batch.LightPositions, Batch.LightColors, Batch.LightRadii, lights);
  for (auto& [id, object] : Factory::Instance().Objects) {
    (void)id;
    const Transform* t = object->GetComponent<Transform>();
    const Sprite* s = object->GetComponent<Sprite>();
    if (t == nullptr || s == nullptr || (DepthShown && !DepthShown(t->ZLayer))) continue;
    const Vec3 position{t->Position.x, t->Position.y, t->ZLayer};
    const Vec3 scale{t->Scale.x, t->Scale.y, 1.0f};
    const Mat4 model = ModelMatrix(position, scale, t->Rotation);
    if (s->Alpha > 0.0f && InView(model)) {
      const Mat4 world = WorldMatrix(position, scale, t->Rotation);
      if (s->Filename.empty()) {
        AddInstance(world, model, Rgba{s->Color.R, s->Color.G, s->Color.B, s->Alpha}, t->ZLayer);
      } else {
        DrawLitSprite(texture, *s, *t, model, world);
      }
    }
    if (ShowDebug) {
      if (const Body* body = object->GetComponent<Body>()) DebugOverlay::DrawBody(*this, *body, model);
    }
  }
  if (CollectParticles) CollectParticles(*this);
  DrawInstanced();
  // The menus, the text and the cursor draw with the same program, unlit.
  AssetStore::UseProgram(texture);
  spriteLights_.Clear();
}

void Graphics::DrawLitSprite(const ShaderProgram& texture, const Sprite& sprite, const Transform& t,
                             const Mat4& model, const Mat4& world) {
  AssetStore::UseProgram(texture);
  // A sprite's pixels loop over only the lamps that reach it; one no lamp reaches
  // skips the loop and needs no world placement. A turned sprite is judged by the
  // square around its turning circle.
  const Vec2 size{std::fabs(t.Scale.x), std::fabs(t.Scale.y)};
  const float turned = std::hypot(size.x, size.y) / 2;
  const Vec2 half = t.Rotation != 0.0f ? Vec2{turned, turned} : size / 2.0f;
  const Vec2 centre{t.Position.x - Camera.Position.x, t.Position.y - Camera.Position.y};
  if (spriteLights_.Select(centre, half) > 0) glUniformMatrix4fv(texture.WorldLocation, 1, GL_FALSE, world.Data());
  sprite.Draw(texture, model, t.ZLayer);
}

void Graphics::DrawCursor() {
  auto* transform = Cursor.GetComponent<Transform>();
  auto* sprite = Cursor.GetComponent<Sprite>();
  if (transform == nullptr || sprite == nullptr) return;
  const MouseRecord& mouse = Windows::Instance().Mouse;
  // The cursor's upper left corner sits on the mouse point.
  transform->Position = {mouse.MouseX + 0.5f, mouse.MouseY - 0.5f};
  const Mat4 model =
      ModelMatrix(Vec3{transform->Position.x, transform->Position.y, transform->ZLayer}, Vec3{1, 1, 1}, 0.0f);
  sprite->Draw(AssetStore::Instance().Program("Texture"), model, transform->ZLayer);
}

void Graphics::SnapToPlayer() {
  GameObject* player = Factory::Instance().Player;
  if (player == nullptr) return;
  if (const auto* t = player->GetComponent<Transform>()) Camera.SnapTo(t->Position);
}

Camera::FollowInputs Graphics::GatherFollowInputs() const {
  Framework::Camera::FollowInputs inputs;
  if (GameObject* player = Factory::Instance().Player) {
    if (const auto* t = player->GetComponent<Transform>()) {
      inputs.HasPlayer = true;
      inputs.Player = t->Position;
    }
  }
  inputs.MenuShown = MenuShown && MenuShown();
  inputs.CurrentLevel = CurrentLevel ? CurrentLevel() : Serialization::Instance().CurrentLevel;
  return inputs;
}

}  // namespace Framework
