#include "graphics/Graphics.h"

#include <cmath>
#include <cstdio>
#include <iostream>

#include "engine/Engine.h"
#include "engine/Windows.h"
#include "graphics/AssetStore.h"
#include "graphics/DirLight.h"
#include "graphics/LightUniforms.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

// The sky the world is drawn over.
constexpr float kSky[4] = {0.45f, 0.8f, 0.92f, 1.0f};

// The unit quad every untextured shape is drawn from, as a triangle fan.
constexpr float kUnitQuad[12] = {
    -0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f,
};

class GraphicsEventListener : public Listener {
 public:
  explicit GraphicsEventListener(Graphics* graphics) : graphics_(graphics) {}
  void OnEvent(Event* event) override {
    if (event == nullptr) return;
    if (event->Type == EventType::Graphics) {
      graphics_->OnGraphicsEvent(*static_cast<GraphicsEvent*>(event));
    } else if (event->Type == EventType::Serialization) {
      graphics_->OnSerializationEvent(*static_cast<SerializationEvent*>(event));
    }
  }

 private:
  Graphics* graphics_;
};

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

Graphics& Graphics::Instance() {
  // The window must exist before its context is made and outlive it; the event
  // system must outlive our subscriptions.
  Windows::Instance();
  EventSystem::Instance();
  static Graphics instance;
  return instance;
}

Graphics::Graphics() : Window(Windows::Instance().Window) {
  Camera.RebuildMatrices();
}

Graphics::~Graphics() {
  if (!initialized_) return;
  // GL objects die while their context is still current.
  Cursor.DestroyComponents();
  Messages.clear();
  glDisableVertexAttribArray(0);
  const GLuint buffers[5] = {ColorBuffer, QuadBuffer, ModelBuffer, WorldBuffer, DepthBuffer};
  glDeleteBuffers(5, buffers);
  glDeleteVertexArrays(1, &BasicVao);
  glDeleteVertexArrays(1, &InstanceVao);
  SDL_GL_DeleteContext(Context);
  Context = nullptr;
}

void Graphics::Initialize() {
  if (initialized_) return;
  if (Window == nullptr) {
    std::cout << "Graphics: no window to draw in; nothing will be drawn\n";
    return;
  }
  glewExperimental = GL_TRUE;
  Context = SDL_GL_CreateContext(Window);
  if (Context == nullptr) {
    std::cout << "Graphics: OpenGL context could not be created! Error: " << SDL_GetError() << "\n";
    return;
  }
  // Some platforms (virtual displays among them) refuse vsync; the frame cap still holds.
  SDL_GL_SetSwapInterval(1);
  const GLenum glewStatus = glewInit();
  if (glewStatus != GLEW_OK) {
    // GLEW may fail to find a GLX display but still have loaded the entry points.
    std::cout << "Graphics: glewInit reported: " << reinterpret_cast<const char*>(glewGetErrorString(glewStatus))
              << "\n";
  }
  initialized_ = true;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glAlphaFunc(GL_GREATER, 0.1f);
  glEnable(GL_ALPHA_TEST);

  ShowDebug = false;
  Messages.clear();

  ApplyWindowSize();
  Camera.RebuildMatrices();

  AssetStore& store = AssetStore::Instance();
  for (const char* name : {"Basic", "Texture"}) {
    ShaderProgram& program = store.Program(name);
    program.TransformLocation = glGetUniformLocation(program.Program, "transform");
  }
  ShaderProgram& texture = store.Program("Texture");
  texture.TintLocation = glGetUniformLocation(texture.Program, "tint");
  texture.AlphaLocation = glGetUniformLocation(texture.Program, "alpha");

  glGenBuffers(1, &ColorBuffer);
  glGenBuffers(1, &QuadBuffer);
  glGenBuffers(1, &ModelBuffer);
  glGenBuffers(1, &WorldBuffer);
  glGenBuffers(1, &DepthBuffer);
  glGenVertexArrays(1, &InstanceVao);
  glGenVertexArrays(1, &BasicVao);
  AssetStore::UseProgram(store.Program("Instance"));

  glBindVertexArray(InstanceVao);
  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, sizeof(Rgba), nullptr);
  glVertexAttribDivisor(1, 1);
  InstanceMatrixAttribute(2, ModelBuffer);
  InstanceMatrixAttribute(6, WorldBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, DepthBuffer);
  glEnableVertexAttribArray(10);
  glVertexAttribPointer(10, 1, GL_FLOAT, GL_FALSE, sizeof(float), nullptr);
  glVertexAttribDivisor(10, 1);

  glBindVertexArray(BasicVao);
  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
  glBindVertexArray(0);

  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  glBufferData(GL_ARRAY_BUFFER, sizeof(kUnitQuad), kUnitQuad, GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);

  graphicsListener_ = Subscription(EventType::Graphics, std::make_unique<GraphicsEventListener>(this));
  serializationListener_ = Subscription(EventType::Serialization, std::make_unique<GraphicsEventListener>(this));

  // Level titles and notices are placed around the live camera.
  Serialization::Instance().Hooks.Camera = [this] {
    return CameraView{{Camera.Position.x, Camera.Position.y}, Camera.ViewHalfWidth, Camera.ViewHalfHeight};
  };

  auto* cursorSprite = Cursor.Attach(std::make_unique<Sprite>());
  cursorSprite->Initialize();
  cursorSprite->SetFilename(32);  // "KIV_cursor"
  auto* cursorTransform = Cursor.Attach(std::make_unique<Transform>());
  cursorTransform->Initialize();
  cursorTransform->ZLayer = 0.0f;
}

void Graphics::Update(float dt, bool /*paused*/) {
  if (!initialized_) return;
  DrawFrame(dt);
  SDL_GL_SwapWindow(Window);
}

void Graphics::DrawFrame(float dt) {
  glClearColor(kSky[0], kSky[1], kSky[2], kSky[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Camera.Follow(dt, GatherFollowInputs());
  WorldPass(dt);
  if (MenuShown && MenuShown() && MenuPass) MenuPass(*this);
  if (ShowDebug) {
    RenderTextNarrow("FPS: " + std::to_string(Engine::Instance().Fps),
                     Camera.Position.x - Camera.ViewHalfWidth * 0.5f,
                     Camera.Position.y - Camera.ViewHalfHeight * 0.5f, 12.0f, Color3{0.0f, 1.0f, 0.0f});
  }
  DrawCursor();
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
  glBindVertexArray(BasicVao);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glBufferData(GL_ARRAY_BUFFER, 16 * sizeof(float), colors, GL_DYNAMIC_DRAW);
  glUniformMatrix4fv(AssetStore::Instance().Program("Basic").TransformLocation, 1, GL_FALSE, matrix.Data());
  glBindBuffer(GL_ARRAY_BUFFER, QuadBuffer);
  if (mode == 4) {
    glBufferData(GL_ARRAY_BUFFER, 12 * sizeof(float), vertices, GL_DYNAMIC_DRAW);
  } else if (mode == GL_LINE) {
    glBufferData(GL_ARRAY_BUFFER, 6 * sizeof(float), vertices, GL_DYNAMIC_DRAW);
  }
}

void Graphics::AddInstance(const Mat4& world, const Mat4& model, Rgba color, float depth) {
  InstanceWorlds.push_back(world);
  InstanceModels.push_back(model);
  InstanceColors.push_back(color);
  InstanceDepths.push_back(depth);
}

void Graphics::DrawInstanced() {
  const ShaderProgram& program = AssetStore::Instance().Program("Instance");
  AssetStore::UseProgram(program);
  const auto count = static_cast<GLsizei>(InstanceModels.size());
  if (count == 0) return;
  glUniform3f(glGetUniformLocation(program.Program, "CameraPos"), Camera.Position.x, Camera.Position.y,
              Camera.Position.z + 1.0f);
  UploadLights(program.Program);
  glBindVertexArray(InstanceVao);
  glBindBuffer(GL_ARRAY_BUFFER, ColorBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Rgba), InstanceColors.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, ModelBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Mat4), InstanceModels.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, WorldBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(Mat4), InstanceWorlds.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, DepthBuffer);
  glBufferData(GL_ARRAY_BUFFER, count * sizeof(float), InstanceDepths.data(), GL_DYNAMIC_DRAW);
  glDrawArraysInstanced(GL_TRIANGLE_FAN, 0, 4, count);
  glBindVertexArray(0);
}

void Graphics::UploadLights(GLuint program) {
  const LightUniforms lights =
      LightUniforms::Gather(FrameLights, Camera.Position, MaxPointLights, LightPositions, LightColors, LightRadii);
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
}

void Graphics::WorldPass(float dt) {
  InstanceModels.clear();
  InstanceColors.clear();
  InstanceWorlds.clear();
  FrameLights.clear();
  InstanceDepths.clear();
  const ShaderProgram& texture = AssetStore::Instance().Program("Texture");
  for (auto& [id, object] : Factory::Instance().Objects) {
    (void)id;
    const Transform* t = object->GetComponent<Transform>();
    const Sprite* s = object->GetComponent<Sprite>();
    if (t == nullptr || s == nullptr) continue;
    const Vec3 position{t->Position.x, t->Position.y, t->ZLayer};
    const Vec3 scale{t->Scale.x, t->Scale.y, 1.0f};
    const Mat4 model = ModelMatrix(position, scale, t->Rotation);

    if (auto* point = object->GetComponent<PointLight>()) {
      if (point->On) FrameLights.push_back(point);
    } else if (auto* dir = object->GetComponent<DirLight>()) {
      if (dir->On) FrameLights.push_back(dir);
    }

    if (s->Alpha > 0.0f) {
      if (s->Filename.empty()) {
        AddInstance(WorldMatrix(position, scale, t->Rotation), model, Rgba{s->Color.R, s->Color.G, s->Color.B, s->Alpha},
                    t->ZLayer);
      } else {
        s->Draw(texture, model, t->ZLayer);
      }
    }
    if (ShowDebug && object->GetComponent<Body>() != nullptr) DrawDebugOverlay(*object, model);
  }
  if (CollectParticles) CollectParticles(*this);
  DrawInstanced();
  DrawMessages(dt);
}

void Graphics::DrawMessages(float dt) {
  for (auto it = Messages.begin(); it != Messages.end();) {
    ScreenMessage& message = **it;
    RenderTextNarrow(message.Text, message.X, message.Y, message.Size, message.Color);
    message.Elapsed += dt;
    if (message.Lifetime <= message.Elapsed) {
      it = Messages.erase(it);
    } else {
      ++it;
    }
  }
}

void Graphics::DrawDebugOverlay(GameObject& object, const Mat4& model) {
  const Body* body = object.GetComponent<Body>();
  if (body == nullptr) return;
  AssetStore::UseProgram(AssetStore::Instance().Program("Basic"));
  auto colors = [](float r, float g, float b) {
    return std::array<float, 16>{r, g, b, 1, r, g, b, 1, r, g, b, 1, r, g, b, 1};
  };
  const float acceleration[6] = {0.0f, 0.0f, 0.5f, body->Acceleration.x * 0.25f, body->Acceleration.y * 0.25f, 0.5f};
  DrawImmediate(model, acceleration, colors(0, 1, 0).data(), GL_LINE);
  glDrawArrays(GL_LINES, 0, 2);
  const float velocity[6] = {0.0f, 0.0f, 0.5f, body->Velocity.x * 0.5f, body->Velocity.y * 0.5f, 0.5f};
  DrawImmediate(model, velocity, colors(1, 0, 0).data(), GL_LINE);
  glDrawArrays(GL_LINES, 0, 2);
  // Orientation: a short black line along the object's local x axis.
  const float orientation[6] = {0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f};
  DrawImmediate(model, orientation, colors(0, 0, 0).data(), GL_LINE);
  glDrawArrays(GL_LINES, 0, 2);
  // Outline; this also leaves the unit quad in QuadBuffer for the instanced draw.
  DrawImmediate(model, kUnitQuad, colors(0, 0, 1).data(), 4);
  glDrawArrays(GL_LINE_LOOP, 0, 4);
  glBindVertexArray(0);
}

void Graphics::DrawCursor() {
  auto* transform = Cursor.GetComponent<Transform>();
  auto* sprite = Cursor.GetComponent<Sprite>();
  if (transform == nullptr || sprite == nullptr) return;
  const Vec2 mouse = MouseWorld();
  // The cursor's upper left corner sits on the mouse point.
  transform->Position = {mouse.x + 0.5f, mouse.y - 0.5f};
  const Mat4 model =
      ModelMatrix(Vec3{transform->Position.x, transform->Position.y, transform->ZLayer}, Vec3{1, 1, 1}, 0.0f);
  sprite->Draw(AssetStore::Instance().Program("Texture"), model, transform->ZLayer);
}

void Graphics::OnGraphicsEvent(const GraphicsEvent& event) {
  if (event.Command != 0) return;
  auto message = std::make_unique<ScreenMessage>();
  message->Command = event.Command;
  message->Text = event.Text;
  message->Size = event.Size;
  message->X = event.X;
  message->Y = event.Y;
  message->Elapsed = event.Elapsed;
  message->Lifetime = event.Lifetime;
  message->Color = event.Color;
  Messages.push_back(std::move(message));
}

void Graphics::OnSerializationEvent(const SerializationEvent& event) {
  if (event.Command <= 3) return;
  GameObject* player = Factory::Instance().Player;
  if (player == nullptr) return;
  if (const auto* t = player->GetComponent<Transform>()) Camera.SnapTo(t->Position);
}

void Graphics::ApplyWindowSize() { Windows::Instance().ApplyWindowSize(); }

Vec2 Graphics::MouseWorld() const {
  const MouseRecord& mouse = Windows::Instance().Mouse;
  return {mouse.MouseX, mouse.MouseY};
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
