#include "gameplay/BoomScript.h"

#include <SDL.h>

#include <memory>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Windows.h"
#include "gameplay/GameplayEffects.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

void BoomScript::Update(float dt) {
  if (!Owner || finished_) return;
  const MouseRecord& mouse = Windows::Instance().Mouse;
  if (!exploded_ && mouse.Button == SDL_BUTTON_RIGHT && mouse.ButtonEventType == Windows::ButtonDown) Detonate();
  // The click's own frame already runs the first blast step.
  if (exploded_) UpdateBlast(dt);
}

void BoomScript::Detonate() {
  auto* transform = Owner->GetComponent<Transform>();
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  AudioSystem::Post(AudioCommand::PlaySfx, "push.ogg");

  auto boom = std::make_unique<BoomEvent>();
  boom->Strength = BlastForce;
  boom->X = transform->Position.x;
  boom->Y = transform->Position.y;
  EventSystem::Instance().Post(std::move(boom));

  const Vec2 centre = transform->Position;
  SpawnExplosionBurst(centre);
  if (auto* body = Owner->GetComponent<Body>()) {
    body->IsGhost = true;
    body->IsCollidable = false;
    body->IsStatic = true;
  }
  if (auto* sprite = Owner->GetComponent<Sprite>()) sprite->Alpha = 0.0f;
  if (auto* light = Owner->GetComponent<PointLight>()) light->On = true;
  exploded_ = true;
  StopFuseSparks(*Owner);
}

void BoomScript::UpdateBlast(float dt) {
  auto* transform = Owner->GetComponent<Transform>();
  if (auto* sprite = Owner->GetComponent<Sprite>()) sprite->Color = {1.0f, 1.0f, 1.0f};
  if (transform) {
    transform->Scale = blastTimer_ < BlastDuration * 0.5f ? Vec2{FlashSize, FlashSize} : Vec2{0.0f, 0.0f};
  }
  blastTimer_ += dt;
  if (blastTimer_ > BlastDuration * 0.5f) {
    // Fades from white to black over the second half of the blast.
    if (auto* light = Owner->GetComponent<PointLight>()) {
      const float fade = (0.5f / (0.25f * BlastDuration)) * dt;
      light->Color.R -= fade;
      light->Color.G -= fade;
      light->Color.B -= fade;
    }
  }
  if (blastTimer_ > BlastDuration) {
    auto destroy = std::make_unique<FactoryEvent>();
    destroy->Command = FactoryCommand::QueueDestroy;
    destroy->ObjectId = Owner->Id;
    EventSystem::Instance().Post(std::move(destroy));
    exploded_ = false;
    finished_ = true;
  }
}

}  // namespace Framework
