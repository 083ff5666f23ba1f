#include "gameplay/WinTrigger.h"

#include <iostream>
#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "gameplay/HazardContact.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

// Per second while the win plays.
constexpr float kPlayerShrink = 2.0f;
constexpr float kPlayerSpin = 10.0f;
constexpr float kExitNarrow = 2.0f;
constexpr float kExitStretch = 3.0f;
constexpr float kExitRise = 1.5f;

}  // namespace

void WinTrigger::Initialize() {
  won_ = false;
  soundPlayed_ = false;
  winTimer_ = 0.0f;
  EventSystem::Instance().SubscribeComponent(this);
}

void WinTrigger::OnObjectEvent(Event* event) {
  if (soundPlayed_ || !IsPlayerContact(event)) return;
  AudioSystem::Post(AudioCommand::PlaySfx, "winlevel.ogg");
  const Serialization& levels = Serialization::Instance();
  if (IsPlayLevel(levels.CurrentLevel)) std::cout << levels.Playtest.WinLine(LevelNumber(levels.CurrentLevel)) << "\n";
  won_ = true;
  soundPlayed_ = true;
}

void WinTrigger::Update(float dt) {
  if (won_) {
    winTimer_ += dt;
    if (GameObject* player = Factory::Instance().Player) {
      if (auto* body = player->GetComponent<Body>()) {
        body->IsStatic = true;
        body->IsCollidable = false;
      }
      if (auto* transform = player->GetComponent<Transform>()) {
        transform->Scale -= Vec2{kPlayerShrink * dt, kPlayerShrink * dt};
        transform->Rotation += kPlayerSpin * dt;
      }
    }
    if (auto* transform = Owner ? Owner->GetComponent<Transform>() : nullptr) {
      transform->Scale.x -= kExitNarrow * dt;
      transform->Scale.y += kExitStretch * dt;
      transform->Position.y += kExitRise * dt;
    }
  }
  if (winTimer_ > WinDuration) {
    auto next = std::make_unique<SerializationEvent>();
    next->Command = Serialization::Instance().CurrentLevel == LevelSlot::Finale ? SerializationCommand::ShowCredits
                                                                                : SerializationCommand::NextLevel;
    EventSystem::Instance().Post(std::move(next));
    winTimer_ = 0.0f;
    won_ = false;
  }
}

}  // namespace Framework
