#include "gameplay/SplashScript.h"

#include <SDL.h>

#include <memory>

#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/Windows.h"
#include "graphics/Sprite.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/GameObject.h"

namespace Framework {

namespace {

constexpr std::uint8_t kLeftButton = 1;
constexpr std::uint8_t kRightButton = 3;
constexpr SDL_Scancode kSkipKeys[] = {SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN, SDL_SCANCODE_RETURN2,
                                      SDL_SCANCODE_ESCAPE};

void PostLevelCommand(std::int32_t command) {
  auto event = std::make_unique<SerializationEvent>();
  event->Command = command;
  EventSystem::Instance().Post(std::move(event));
}

}  // namespace

void SplashScript::Initialize() {
  skip_ = false;
  timer_ = 0.0f;
  if (!listener_) listener_ = Listen<SplashListener>(this);
}

void SplashScript::OnKeyboard(KeyboardEvent& event) {
  if (!event.KeyState) return;
  for (SDL_Scancode key : kSkipKeys) {
    if (!event.KeyState[key]) continue;
    MenuSystem::Instance().ActivateLatch = true;
    skip_ = true;
    return;
  }
}

void SplashScript::Update(float dt) {
  timer_ += dt;
  MouseRecord& mouse = Windows::Instance().Mouse;
  const bool clicked = (mouse.Button == kLeftButton && mouse.ButtonEventType == Windows::ButtonUp) ||
                       mouse.Button == kRightButton;
  if (skip_ || clicked) {
    Engine::Instance().Paused = true;
    PostLevelCommand(SerializationCommand::EnterMainMenu);
    // Consumed: the menus that open next must not take this click as their own.
    mouse.Button = kLeftButton;
    mouse.ButtonEventType = 0;
    return;
  }
  if (timer_ > Duration) {
    if (Serialization::Instance().CurrentLevel == LevelSlot::SecondSplash) {
      Engine::Instance().Paused = true;
      PostLevelCommand(SerializationCommand::EnterMainMenu);
    } else {
      PostLevelCommand(SerializationCommand::NextLevel);
    }
    return;
  }
  Fade();
}

void SplashScript::Fade() {
  auto* sprite = Owner ? Owner->GetComponent<Sprite>() : nullptr;
  if (!sprite) return;
  // Up to FadeIn the picture keeps the opacity it was loaded with.
  if (timer_ > Shown) {
    sprite->Alpha = 1.0f;
  } else if (timer_ > FadeInAgain) {
    sprite->Alpha = (timer_ - FadeInAgain) / (Shown - FadeInAgain);
  } else if (timer_ > Dark) {
    sprite->Alpha = 0.0f;
  } else if (timer_ > FadeIn) {
    sprite->Alpha = (timer_ - FadeIn) / (Dark - FadeIn);
  }
}

}  // namespace Framework
