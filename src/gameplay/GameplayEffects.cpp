#include "gameplay/GameplayEffects.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/Random.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "particles/ParticleEffects.h"
#include "particles/ParticleEmitter.h"

namespace Framework {

namespace {

// Sends "create an object" and "add its Transform", places it, then posts the
// emitter request whose callback applies the effect's settings.
GameObject* SpawnEffectObject(Vec2 at, std::function<void(GameObject*)> configure) {
  FactoryEvent event;
  event.Command = FactoryCommand::CreateObject;
  EventSystem::Instance().Send(event);
  GameObject* object = event.Object;
  if (!object) return nullptr;
  event.Command = FactoryCommand::AddTransform;
  EventSystem::Instance().Send(event);
  if (auto* transform = object->GetComponent<Transform>()) transform->Position = at;
  auto emitter = std::make_unique<FactoryEvent>();
  emitter->Command = FactoryCommand::AddParticleEmitter;
  emitter->Object = object;
  emitter->Callback = std::move(configure);
  EventSystem::Instance().Post(std::move(emitter));
  return object;
}

}  // namespace

void StartFuseSparks(GameObject& bomb) {
  if (auto* emitter = bomb.GetComponent<ParticleEmitter>()) ApplyFuseSparks(*emitter);
}

void StopFuseSparks(GameObject& bomb) {
  if (auto* emitter = bomb.GetComponent<ParticleEmitter>()) emitter->Active = false;
}

GameObject* SpawnExplosionBurst(Vec2 at) {
  return SpawnEffectObject(at, [](GameObject* object) {
    if (auto* emitter = object ? object->GetComponent<ParticleEmitter>() : nullptr) ApplyExplosionBurst(*emitter);
  });
}

GameObject* SpawnDeathSpray(Vec2 at, DeathSprayKind kind) {
  const DeathSpray spray = kind == DeathSprayKind::HazardAbove   ? DeathSpray::HazardAbove
                           : kind == DeathSprayKind::HazardBelow ? DeathSpray::HazardBelow
                                                                 : DeathSpray::Enemy;
  return SpawnEffectObject(at, [spray](GameObject* object) {
    if (auto* emitter = object ? object->GetComponent<ParticleEmitter>() : nullptr) ApplyDeathSpray(*emitter, spray);
  });
}

std::uint32_t NextRandomSeed() { return Random::NextSeed(); }

}  // namespace Framework
