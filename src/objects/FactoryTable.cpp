#include "objects/FactoryTable.h"

#include <algorithm>
#include <array>

#include "engine/Commands.h"
#include "gameplay/BoomReactScript.h"
#include "gameplay/BoomScript.h"
#include "gameplay/DeathAnimation.h"
#include "gameplay/DynamicHazardScript.h"
#include "gameplay/PlayerAnimation.h"
#include "gameplay/PlayerController.h"
#include "gameplay/StaticHazardScript.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "graphics/DirLight.h"
#include "graphics/Light.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "particles/ParticleEmitter.h"
#include "physics/Body.h"

namespace Framework {

namespace {

template <class T>
Component* Attach(GameObject& object) {
  return Factory::Instance().AddComponent<T>(object);
}

// Attaches T and initialises it a second time (emitters and other scripts that
// read their own settings once attached).
template <class T>
Component* AttachTwice(GameObject& object) {
  Component* component = Attach<T>(object);
  component->Initialize();
  return component;
}

Component* AttachZeroTransform(GameObject& object) {
  auto* transform = Factory::Instance().AddComponent<Transform>(object);
  transform->Position = {0.0f, 0.0f};
  transform->Scale = {0.0f, 0.0f};
  return transform;
}

// A box body, static or dynamic, initialised once more so it picks up the
// Transform and the settings just made.
Component* AttachBody(GameObject& object, bool isStatic) {
  auto* body = Factory::Instance().AddComponent<Body>(object);
  body->Shape->Kind = ShapeKindBox;
  body->IsStatic = isStatic;
  body->Initialize();
  return body;
}

Component* AttachDynamicBody(GameObject& object) { return AttachBody(object, false); }
Component* AttachStaticBody(GameObject& object) { return AttachBody(object, true); }

// A Sprite with the look of sprite type N, applied right after attaching, as the
// archetype rows and component command 16 need.
template <int N>
Component* AttachSprite(GameObject& object) {
  auto* sprite = Factory::Instance().AddComponent<Sprite>(object);
  sprite->SetFilename(N);
  return sprite;
}

// The player's controller and its death: the target becomes the Factory's
// Player first, so the controller already knows whose it is when it initialises.
Component* AttachPlayerController(GameObject& object) {
  Factory::Instance().Player = &object;
  Component* controller = Attach<PlayerController>(object);
  Attach<DeathAnimation>(object);
  return controller;
}

// Component commands. A command missing from this table does nothing.
const ComponentCommand kComponentCommands[] = {
    {14, &AttachZeroTransform, false},
    {15, &AttachDynamicBody, false},
    {16, &AttachSprite<2>, false},
    {29, &Attach<Light>, false},
    {30, &Attach<PointLight>, false},
    {31, &Attach<DirLight>, false},
    // Gameplay.
    {FactoryCommand::AddDynamicHazardScript, &Attach<DynamicHazardScript>, false},
    {FactoryCommand::AddPlayerController, &AttachPlayerController, false},
    {FactoryCommand::AddStaticHazardScript, &Attach<StaticHazardScript>, false},
    {FactoryCommand::AddThrowIndicatorScript, &Attach<ThrowIndicatorScript>, false},
    {FactoryCommand::AddPlayerAnimation, &Attach<PlayerAnimation>, false},
    {FactoryCommand::AddParticleEmitter, &AttachTwice<ParticleEmitter>, true},
    {FactoryCommand::AddBoomScript, &AttachTwice<BoomScript>, true},
    {FactoryCommand::AddBoomReactScript, &AttachTwice<BoomReactScript>, true},
};

// Archetypes, each built as: new object, its Name, a Transform at (0, 0) with
// size (0, 0), then these steps in order. An archetype missing here does nothing;
// the ones built from behaviour scripts join as those scripts arrive.
const std::vector<Archetype>& Archetypes() {
  static const std::vector<Archetype> table = {
      {1, "Platform", false, {&AttachStaticBody, &AttachSprite<2>}},
      // Gameplay.
      {FactoryCommand::BuildPlayer, "Player", true,
       {&AttachDynamicBody, &Attach<PlayerController>, &Attach<DeathAnimation>, &AttachSprite<SpriteType::Player>,
        &Attach<PlayerAnimation>}},
      {FactoryCommand::BuildBomb, "Pusher", false,
       {&AttachDynamicBody, &Attach<BoomScript>, &AttachSprite<SpriteType::Bomb>, &AttachTwice<ParticleEmitter>,
        &Attach<PointLight>}},
      {FactoryCommand::BuildThrowIndicator, "ThrowIndicator", false,
       {&AttachSprite<SpriteType::ThrowIndicator>, &Attach<ThrowIndicatorScript>}},
      {FactoryCommand::BuildStaticHazard, "StaticHazard", false,
       {&AttachStaticBody, &Attach<StaticHazardScript>, &AttachSprite<SpriteType::StaticHazard>}},
      {FactoryCommand::BuildDynamicHazard, "DynamicHazard", false,
       {&AttachStaticBody, &Attach<DynamicHazardScript>, &AttachSprite<SpriteType::DynamicHazard>}},
  };
  return table;
}

}  // namespace

const ComponentCommand* FindComponentCommand(std::int32_t command) {
  auto it = std::find_if(std::begin(kComponentCommands), std::end(kComponentCommands),
                         [command](const ComponentCommand& row) { return row.Command == command; });
  return it == std::end(kComponentCommands) ? nullptr : &*it;
}

const Archetype* FindArchetype(std::int32_t command) {
  const auto& table = Archetypes();
  auto it = std::find_if(table.begin(), table.end(), [command](const Archetype& row) { return row.Command == command; });
  return it == table.end() ? nullptr : &*it;
}

}  // namespace Framework
