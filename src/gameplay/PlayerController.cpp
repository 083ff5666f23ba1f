#include "gameplay/PlayerController.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <utility>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/Windows.h"
#include "gameplay/GameplayEffects.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

bool Down(const std::uint8_t* keys, SDL_Scancode a, SDL_Scancode b) { return keys[a] != 0 || keys[b] != 0; }
bool JumpDown(const std::uint8_t* keys) {
  return keys[SDL_SCANCODE_UP] != 0 || keys[SDL_SCANCODE_W] != 0 || keys[SDL_SCANCODE_SPACE] != 0;
}

bool Paused() { return Engine::Instance().Paused; }

// A jump with a walking key held: the walking force projected onto the jump
// vector (walk, jump), almost straight up with a small sideways part.
Vec2 DiagonalJumpForce(float walk, float jump) {
  const float length = std::sqrt(walk * walk + jump * jump);
  return {std::copysign(walk * walk / length, walk), jump * jump / length};
}

// The numbered levels with fireflies around the player; the finale has them too.
constexpr std::array kFireflyLevelNumbers{1, 2, 7, 8};

bool IsFireflyLevel(std::int32_t slot) {
  return slot == LevelSlot::Finale || std::ranges::find(kFireflyLevelNumbers, LevelNumber(slot)) !=
                                          std::ranges::end(kFireflyLevelNumbers);
}

// Fireflies start anywhere in [-10, 30) across: a 32-bit draw scaled down.
constexpr double kFireflySpread = 107374184.0;
constexpr float kFireflyOffset = 10.0f;
// and in [4, 19) up, so they hang in the air over the ground the player starts on
// (its feet at the origin, the first steps of a level a few units high) instead of
// glowing inside the dirt.
constexpr double kFireflyHeightSpread = 4294967296.0 / 15.0;
constexpr float kFireflyLowest = 4.0f;

}  // namespace

PlayerController::PlayerController() : Script("Player_Controller") {
  listener_ = Listen<PlayerControllerEventListener>(this);
}

void PlayerController::Initialize() {
  if (worldRequested_) return;
  worldRequested_ = true;
  if (IsFireflyLevel(Serialization::Instance().CurrentLevel)) SpawnFireflies();
}

void PlayerController::RequestThrowIndicator() {
  // A world saved while playing already holds its indicator (it is a level
  // object): a second one would show two markers and count every throw twice.
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (object->GetComponent<ThrowIndicatorScript>()) return;
  }
  auto request = std::make_unique<FactoryEvent>();
  request->Command = FactoryCommand::BuildThrowIndicator;
  request->Callback = &PlaceThrowIndicator;
  EventSystem::Instance().Post(std::move(request));
}

void PlayerController::SpawnFireflies() {
  for (int i = 0; i < FireflyCount; ++i) {
    std::mt19937 random(NextRandomSeed());
    FactoryEvent event;
    event.Command = FactoryCommand::CreateObject;
    EventSystem::Instance().Send(event);
    GameObject* firefly = event.Object;
    if (!firefly) return;
    event.Command = FactoryCommand::AddTransform;
    EventSystem::Instance().Send(event);
    if (auto* transform = firefly->GetComponent<Transform>()) {
      const float x = static_cast<float>(random() / kFireflySpread) - kFireflyOffset;
      const float y = static_cast<float>(random() / kFireflyHeightSpread) + kFireflyLowest;
      transform->Position = {x, y};
      transform->Scale = {0.15f, 0.15f};
      transform->ZLayer = 0.95f;
    }
    event.Command = FactoryCommand::AddPointLight;
    EventSystem::Instance().Send(event);
    if (auto* light = firefly->GetComponent<PointLight>()) {
      light->Color = {1.0f, 1.0f, 1.0f};
      light->Radius = 0.25f;
      light->Offset = {0.0f, 0.0f, 0.15f};
    }
    event.Command = FactoryCommand::AddSprite;
    EventSystem::Instance().Send(event);
    if (auto* sprite = firefly->GetComponent<Sprite>()) sprite->Color = {0.5f, 0.75f, 1.0f};
    auto wander = std::make_unique<FactoryEvent>();
    wander->Command = FactoryCommand::AddFireflyScript;
    wander->Object = firefly;
    EventSystem::Instance().Post(std::move(wander));
  }
}

bool PlayerController::FindParts(Transform*& transform, Body*& body) {
  transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  body = Owner ? Owner->GetComponent<Body>() : nullptr;
  return missing_.Check(transform != nullptr, *this, "Transform") && missing_.Check(body != nullptr, *this, "Body");
}

void PlayerController::Update(float dt) {
  // Only the Factory's player is driven; another object carrying a controller stays put.
  if (!Owner || Owner != Factory::Instance().Player) return;
  if (!indicatorChecked_) {
    // Checked at the first frame, once the whole level (and any indicator saved in it) exists.
    indicatorChecked_ = true;
    RequestThrowIndicator();
  }
  Transform* transform = nullptr;
  Body* body = nullptr;
  if (!FindParts(transform, body)) return;

  if (spawning_) {
    SpawnGrow(dt, *transform, *body);
    if (spawning_) return;
  }
  throwTimer_ += dt;
  UpdateThrow();
  hoverToggleTimer_ += dt;
  airTimer_ += dt;
  if (body->Grounded) {
    canJump_ = true;
    airTimer_ = 0.0f;
  } else if (airTimer_ > JumpGraceTime) {
    canJump_ = false;
  }
  if (throwTimer_ > ThrowCooldown) canThrow_ = true;
  if (hoverAssist_) {
    hoverAccumulator_ += dt;
    if (hoverAccumulator_ > HoverPeriod) {
      if (!Paused()) body->Impulse += HoverPush;
      hoverAccumulator_ = 0.0f;
    }
  }
}

void PlayerController::SpawnGrow(float dt, Transform& transform, Body& body) {
  if (spawnTimer_ == 0.0f) {
    body.IsStatic = true;
    body.IsCollidable = false;
    transform.Scale = SeedScale;
  } else {
    transform.Scale *= 1.1f;
    transform.Rotation -= 10.0f * dt;
  }
  spawnTimer_ += dt;
  if (spawnTimer_ > SpawnDuration) {
    body.Force = {0.0f, 0.0f};
    body.Impulse = {0.0f, 0.0f};
    body.IsStatic = false;
    body.IsCollidable = true;
    transform.Scale = GrownScale;
    transform.Rotation = 0.0f;
    spawning_ = false;
  }
}

void PlayerController::UpdateThrow() {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  if (!transform) return;
  const MouseRecord& mouse = Windows::Instance().Mouse;
  const Vec2 toCursor = Vec2{mouse.MouseX, mouse.MouseY} - transform->Position;
  // A cursor exactly on the player has no direction: keep aiming where it last pointed.
  const float length = glm::length(toCursor);
  if (length > 0.0f) throwDirection_ = toCursor / length;

  const bool pressed = mouse.ButtonEventType == Windows::ButtonDown;
  if (pressed && mouse.Button == SDL_BUTTON_LEFT && canThrow_ && bombsOut_ < BombLimit) {
    AudioSystem::Post(AudioCommand::PlaySfx, "throw.ogg");
    auto request = std::make_unique<FactoryEvent>();
    request->Command = FactoryCommand::BuildBomb;
    request->Callback = [origin = transform->Position, direction = throwDirection_](GameObject* bomb) {
      InitThrownBomb(bomb, origin, direction);
    };
    EventSystem::Instance().Post(std::move(request));
    ++bombsOut_;
    canThrow_ = false;
    throwTimer_ = 0.0f;
  } else if (pressed && mouse.Button == SDL_BUTTON_RIGHT) {
    // The same click detonates every bomb and refills the indicator.
    bombsOut_ = 0;
  }
}

void PlayerController::InitThrownBomb(GameObject* bomb, Vec2 origin, Vec2 direction) {
  if (!bomb) return;
  if (auto* transform = bomb->GetComponent<Transform>()) {
    transform->Scale = {0.5f, 0.5f};
    transform->Position = origin + direction * ThrowOffset;
    transform->ZLayer = BombLayer;
  }
  if (auto* body = bomb->GetComponent<Body>()) {
    body->Initialize();
    if (!Paused()) body->Impulse += direction * ThrowForce;
  }
  if (auto* light = bomb->GetComponent<PointLight>()) {
    light->Color = {1.0f, 1.0f, 1.0f};
    light->Offset = {0.0f, 0.0f, 8.5f};
    light->Radius = 10.0f;
    light->Initialize();
    // Dark until the bomb explodes.
    light->On = false;
  }
  StartFuseSparks(*bomb);
}

void PlayerController::PlaceThrowIndicator(GameObject* indicator) {
  if (!indicator) return;
  if (auto* transform = indicator->GetComponent<Transform>()) {
    // Off screen until its script puts it beside the player.
    transform->Position = {500.0f, 500.0f};
    transform->Scale = {1.0f, 1.0f};
    transform->ZLayer = IndicatorLayer;
  }
}

void PlayerController::OnKeyboard(KeyboardEvent& event) {
  if (!event.KeyState || !Owner || Owner != Factory::Instance().Player) return;
  HandleKeyboard(event.KeyState);
}

void PlayerController::Jump(Body& body, bool lift) {
  canJump_ = false;
  // Past the grace time, so the grace period cannot hand the jump back.
  airTimer_ = JumpGraceTime + 1.0f;
  if (lift) body.Position.y += 0.1f;
  AudioSystem::Post(AudioCommand::PlaySfx, "beep.ogg");
}

void PlayerController::HandleKeyboard(const std::uint8_t* keys) {
  auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr;
  auto* body = Owner ? Owner->GetComponent<Body>() : nullptr;
  if (!transform || !body) return;
  const bool fly = Engine::Instance().FlyMode;
  const bool paused = Paused();
  const bool right = Down(keys, SDL_SCANCODE_RIGHT, SDL_SCANCODE_D);
  const bool left = Down(keys, SDL_SCANCODE_LEFT, SDL_SCANCODE_A);
  // A jump pressed during the landing squash is kept and made as the squash ends:
  // a quick tap right after landing would otherwise be lost. Only a press counts;
  // a key held from the air and let go during the squash asks for nothing.
  const bool jumpDown = JumpDown(keys);
  if (jumpLock_ && jumpDown && !jumpWasDown_ && !fly) jumpQueued_ = true;
  jumpWasDown_ = jumpDown;
  const bool queued = !jumpLock_ && std::exchange(jumpQueued_, false);
  const bool jump = jumpDown || queued;

  if (!jumpLock_ && jump && (right || left)) {
    const float walk = right ? RightForce : LeftForce;
    if (fly) transform->Position += Vec2{right ? FlyStep : -FlyStep, FlyStep};
    if (!fly && canJump_) {
      // The jump frame's push replaces that frame's walking force.
      Jump(*body, true);
      if (!paused) body->Impulse += DiagonalJumpForce(walk, JumpForce);
    } else if (!paused) {
      body->Force += Vec2{walk, 0.0f};
    }
    return;
  }
  if (!jumpLock_ && jump) {
    if (fly) {
      transform->Position += Vec2{0.0f, FlyStep};
      return;
    }
    if (!canJump_) return;
    Jump(*body, false);
    if (!paused) body->Impulse += Vec2{0.0f, JumpForce};
    return;
  }
  if (left || right) {
    // Left wins when both are held.
    if (fly) {
      transform->Position += Vec2{left ? -FlyStep : FlyStep, 0.0f};
    } else if (!paused) {
      body->Force += Vec2{left ? LeftForce : RightForce, 0.0f};
    }
    return;
  }
  if (Down(keys, SDL_SCANCODE_DOWN, SDL_SCANCODE_S)) {
    if (fly) transform->Position += Vec2{0.0f, -FlyStep};
    return;
  }
  if (keys[SDL_SCANCODE_F3] != 0 && hoverToggleTimer_ > HoverTogglePeriod) {
    hoverToggleTimer_ = 0.0f;
    hoverAssist_ = !hoverAssist_;
  }
}

}  // namespace Framework
