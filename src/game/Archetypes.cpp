#include "game/Archetypes.h"

#include "gameplay/BoomScript.h"
#include "gameplay/CreditsScript.h"
#include "gameplay/DeathAnimation.h"
#include "gameplay/DynamicHazardScript.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "gameplay/PlayerAnimation.h"
#include "gameplay/PlayerController.h"
#include "gameplay/SplashScript.h"
#include "gameplay/StaticHazardScript.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "gameplay/WinTrigger.h"
#include "gameplay/WormHeadScript.h"
#include "gameplay/WormSegmentScript.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "particles/ParticleEmitter.h"
#include "physics/Body.h"

namespace Framework {

namespace {

Component* AttachBody(GameObject& object, bool isStatic) {
  auto* body = Factory::Instance().AddComponent<Body>(object);
  body->Shape->Kind = ShapeKindBox;
  body->IsStatic = isStatic;
  body->Initialize();
  return body;
}

// Archetypes, each built as: new object, its Name, a Transform at (0, 0) with
// size (0, 0), then these steps in order. An archetype missing here does nothing.
std::vector<Archetype> Archetypes() {
  return {
      {FactoryCommand::BuildPlatform, "Platform", false, {&AttachStaticBody, &AttachSprite<SpriteType::Platform>}},
      // Gameplay.
      {FactoryCommand::BuildPlayer, "Player", true,
       {&AttachDynamicBody, &AttachComponent<PlayerController>, &AttachComponent<DeathAnimation>,
        &AttachSprite<SpriteType::Player>, &AttachComponent<PlayerAnimation>}},
      {FactoryCommand::BuildBomb, "Pusher", false,
       {&AttachDynamicBody, &AttachComponent<BoomScript>, &AttachSprite<SpriteType::Bomb>,
        &AttachTwice<ParticleEmitter>, &AttachComponent<PointLight>}},
      {FactoryCommand::BuildThrowIndicator, "ThrowIndicator", false,
       {&AttachSprite<SpriteType::ThrowIndicator>, &AttachComponent<ThrowIndicatorScript>}},
      {FactoryCommand::BuildStaticHazard, "StaticHazard", false,
       {&AttachStaticBody, &AttachComponent<StaticHazardScript>, &AttachSprite<SpriteType::StaticHazard>}},
      {FactoryCommand::BuildDynamicHazard, "DynamicHazard", false,
       {&AttachStaticBody, &AttachComponent<DynamicHazardScript>, &AttachSprite<SpriteType::DynamicHazard>}},
      {FactoryCommand::BuildTestEmitter, "TestEmitter", false, {&AttachTwice<ParticleEmitter>}},
      {FactoryCommand::BuildEnemy, "Enemy", false,
       {&AttachDynamicBody, &AttachComponent<EnemyScript>, &AttachComponent<EnemyTrigger>,
        &AttachSprite<SpriteType::Crate>, &AttachComponent<PlayerAnimation>}},
      {FactoryCommand::BuildWinTrigger, "WinTrigger", false,
       {&AttachStaticBody, &AttachComponent<WinTrigger>, &AttachSprite<SpriteType::WinTrigger>}},
      {FactoryCommand::BuildSplashScreen, "SplashScreen", false,
       {&AttachComponent<SplashScript>, &AttachSprite<SpriteType::Splash>}},
      {FactoryCommand::BuildCredits, "Credits", false,
       {&AttachComponent<CreditsScript>, &AttachSprite<SpriteType::Credits>}},
      {FactoryCommand::BuildWormHead, "WormHead", false,
       {&AttachStaticBody, &AttachComponent<WormHeadScript>, &AttachSprite<SpriteType::WormHead>}},
      {FactoryCommand::BuildWormSegment, "WormSegment", false,
       {&AttachStaticBody, &AttachComponent<WormSegmentScript>, &AttachSprite<SpriteType::WormSegment>}},
  };
}

}  // namespace

Component* AttachDynamicBody(GameObject& object) { return AttachBody(object, false); }
Component* AttachStaticBody(GameObject& object) { return AttachBody(object, true); }

Component* AttachPlayerController(GameObject& object) {
  Factory::Instance().Player = &object;
  Component* controller = AttachComponent<PlayerController>(object);
  AttachComponent<DeathAnimation>(object);
  return controller;
}

Component* AttachSpriteOfType(GameObject& object, std::int32_t spriteType) {
  auto* sprite = Factory::Instance().AddComponent<Sprite>(object);
  sprite->SetFilename(spriteType);
  return sprite;
}

void RegisterArchetypes() { SetArchetypes(Archetypes()); }

}  // namespace Framework
