#include "game/ComponentRows.h"

#include "engine/Commands.h"
#include "game/Archetypes.h"
#include "gameplay/BoomReactScript.h"
#include "gameplay/BoomScript.h"
#include "gameplay/CloudScript.h"
#include "gameplay/CreditsScript.h"
#include "gameplay/DynamicHazardScript.h"
#include "gameplay/EnemyScript.h"
#include "gameplay/EnemyTrigger.h"
#include "gameplay/FireflyScript.h"
#include "gameplay/MovingPlatformScript.h"
#include "gameplay/PlayerAnimation.h"
#include "gameplay/PusherScript.h"
#include "gameplay/SplashScript.h"
#include "gameplay/StaticHazardScript.h"
#include "gameplay/ThrowIndicatorScript.h"
#include "gameplay/WinTrigger.h"
#include "gameplay/WormHeadScript.h"
#include "gameplay/WormSegmentScript.h"
#include "graphics/DirLight.h"
#include "graphics/Light.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLanguage.h"
#include "levels/ComponentTable.h"
#include "levels/Localisation.h"
#include "objects/Transform.h"
#include "particles/ParticleEmitter.h"
#include "physics/Body.h"

namespace Framework {

namespace {

// Field lists -----------------------------------------------------------------

const ComponentFields* TransformFields() {
  static const FieldsOf<Transform> fields({
      Member<Transform>("Position", &Transform::Position),
      Member<Transform>("Scale", &Transform::Scale),
      Member<Transform>("Rotation", &Transform::Rotation),
      Member<Transform>("ZLayer", &Transform::ZLayer),
  });
  return &fields;
}

const FieldList<FrictionFactors>* FrictionFields() {
  static const FieldList<FrictionFactors> fields = {
      Member<FrictionFactors>("X", &FrictionFactors::X),
      Member<FrictionFactors>("Y", &FrictionFactors::Y),
      Member<FrictionFactors>("XG", &FrictionFactors::XG),
  };
  return &fields;
}

const FieldList<BounceFactors>* BounceFields() {
  static const FieldList<BounceFactors> fields = {
      Member<BounceFactors>("X", &BounceFactors::X),
      Member<BounceFactors>("Y", &BounceFactors::Y),
  };
  return &fields;
}

const ComponentFields* BodyFields() {
  static const FieldsOf<Body> fields({
      Member<Body>("Friction", &Body::Friction, BlockOf<FrictionFactors>{FrictionFields()}),
      Member<Body>("IsStatic", &Body::IsStatic),
      Member<Body>("IsCollidable", &Body::IsCollidable),
      Member<Body>("IsGhost", &Body::IsGhost),
      Member<Body>("Bounce", &Body::Bounce, BlockOf<BounceFactors>{BounceFields()}),
  });
  return &fields;
}

// A texture name: the language is applied when the level is read, so a world
// loaded in Russian shows the Russian versions of the worded textures.
struct TextureName {
  using Value = std::string;
  std::string Read(BlockReader& block, const char* key) const {
    return LocalisedTextureName(block.String(key), Localisation::Instance().Language);
  }
  Json::Value Write(const std::string& name) const { return Json::Value(name); }
};

void SetTexture(Sprite& sprite, const std::string& name) {
  // An empty name is a plain coloured quad: there is no texture to bind.
  if (name.empty()) {
    sprite.Filename.clear();
  } else {
    sprite.SetFilename(name);
  }
}

const ComponentFields* SpriteFields() {
  static const FieldsOf<Sprite> fields({
      Property<Sprite>("Filename", &Sprite::Filename, &SetTexture, TextureName()),
      Member<Sprite>("Color", &Sprite::Color),
      Member<Sprite>("Alfa", &Sprite::Alpha),
  });
  return &fields;
}

const ComponentFields* LightFields() {
  static const FieldsOf<Light> fields({Member<Light>("Color", &Light::Color)});
  return &fields;
}

const ComponentFields* PointLightFields() {
  static const FieldsOf<PointLight> fields({
      Member<PointLight>("Color", &PointLight::Color),
      Member<PointLight>("Offset", &PointLight::Offset),
      Member<PointLight>("Radius", &PointLight::Radius),
  });
  return &fields;
}

const ComponentFields* DirLightFields() {
  static const FieldsOf<DirLight> fields({
      Member<DirLight>("Color", &DirLight::Color),
      Member<DirLight>("Direction", &DirLight::Direction),
  });
  return &fields;
}

// The emitter ----------------------------------------------------------------------

const FieldList<Distribution>* DistributionFields() {
  static const FieldList<Distribution> fields = {
      Member<Distribution>("Low", &Distribution::Low),
      Member<Distribution>("High", &Distribution::High),
  };
  return &fields;
}

const FieldList<InterpolatorConfig>* InterpolatorFields() {
  static const FieldList<InterpolatorConfig> fields = {
      Member<InterpolatorConfig>("Decay", &InterpolatorConfig::Decay),
      Member<InterpolatorConfig>("Method", &InterpolatorConfig::Method),
      Member<InterpolatorConfig>("Target", &InterpolatorConfig::Target),
      Member<InterpolatorConfig>("TimeTarget", &InterpolatorConfig::TimeTarget),
  };
  return &fields;
}

// The pair sits inside each member: "Decay": {"Low": ..., "High": ...}.
const FieldList<InterpolatorPair>* InterpolatorPairFields() {
  static const FieldList<InterpolatorPair> fields = {
      PairedMemberOf<InterpolatorPair>("Decay", &InterpolatorConfig::Decay),
      PairedMemberOf<InterpolatorPair>("Method", &InterpolatorConfig::Method),
      PairedMemberOf<InterpolatorPair>("Target", &InterpolatorConfig::Target),
      PairedMemberOf<InterpolatorPair>("TimeTarget", &InterpolatorConfig::TimeTarget),
  };
  return &fields;
}

// "Active" true restarts the emitter from its settings before it runs; false
// only stops it. The Factory initialises the emitter once more afterwards.
void SetActive(ParticleEmitter& emitter, bool active) {
  if (active) emitter.Start();
  emitter.Active = active;
}

const ComponentFields* ParticleEmitterFields() {
  using E = ParticleEmitter;
  constexpr std::size_t kChannels = ParticleChannel::Count;
  const BlockOf<Distribution> distribution{DistributionFields()};
  const BlockOf<InterpolatorConfig> interpolator{InterpolatorFields()};
  const BlockOf<InterpolatorPair> interpolatorPair{InterpolatorPairFields()};
  static const FieldsOf<E> fields({
      Member<E>("InitSpawnRate", &E::InitSpawnRate),
      Member<E>("MaxToSpawn", &E::MaxToSpawn),
      Member<E>("TimeToBeActive", &E::TimeToBeActive),
      Property<E>("Active", &E::Active, &SetActive),
      Member<E>("InitLifeTimeDistribution", &E::InitLifeTimeDistribution, distribution),
      Member<E>("InitCreationDistribution", &E::InitCreationDistribution,
                ChannelsOf<kChannels, BlockOf<Distribution>>{distribution}),
      Member<E>("SpawnRateInterpolator", &E::SpawnRateInterpolator, interpolator),
      Member<E>("LifetimeInterpolatorConfig", &E::LifetimeInterpolatorConfig, interpolatorPair),
      Member<E>("EmitterInterpolatorConfigs", &E::EmitterInterpolatorConfigs,
                ChannelsOf<kChannels, BlockOf<InterpolatorPair>>{interpolatorPair}),
      Member<E>("ParticleInterpolatorConfig", &E::ParticleInterpolatorConfig,
                ChannelsOf<kChannels, BlockOf<InterpolatorConfig>>{interpolator}),
  });
  return &fields;
}

const ComponentFields* DynamicHazardFields() {
  static const FieldsOf<DynamicHazardScript> fields({
      Member<DynamicHazardScript>("Rate", &DynamicHazardScript::Rate),
      Member<DynamicHazardScript>("Max", &DynamicHazardScript::Max),
      Member<DynamicHazardScript>("Min", &DynamicHazardScript::Min),
      Member<DynamicHazardScript>("Delay", &DynamicHazardScript::Delay),
      Member<DynamicHazardScript>("Delay_Radius", &DynamicHazardScript::DelayRadius),
  });
  return &fields;
}

// Read in this order: each setter recomputes the platform's velocity.
const ComponentFields* MovingPlatformFields() {
  using P = MovingPlatformScript;
  static const FieldsOf<P> fields({
      Property<P>("Delay", &P::GetDelay, &P::SetDelay),
      Property<P>("Speed", &P::GetSpeed, &P::SetSpeed),
      Property<P>("Point1", &P::GetPoint1, &P::SetPoint1),
      Property<P>("Point2", &P::GetPoint2, &P::SetPoint2),
  });
  return &fields;
}

// The table ---------------------------------------------------------------------

std::vector<ComponentRow> Rows() {
  using C = FactoryCommand;
  return {
      {"Transform", C::AddTransform, &AttachZeroTransform, false, TransformFields()},
      {"Body", C::AddBody, &AttachDynamicBody, false, BodyFields()},
      {"Sprite", C::AddSprite, &AttachSprite<SpriteType::Platform>, false, SpriteFields()},
      {"CreditsScript", C::AddCreditsScript, &AttachComponent<CreditsScript>, false, nullptr},
      {"DynamicHazardScript", C::AddDynamicHazardScript, &AttachComponent<DynamicHazardScript>, false, DynamicHazardFields()},
      {"Player_Controller", C::AddPlayerController, &AttachPlayerController, false, nullptr},
      {"PusherScript", C::AddPusherScript, &AttachComponent<PusherScript>, false, nullptr},
      {"SplashScript", C::AddSplashScript, &AttachComponent<SplashScript>, false, nullptr},
      {"StaticHazardScript", C::AddStaticHazardScript, &AttachComponent<StaticHazardScript>, false, nullptr},
      {"ThrowIndicatorScript", C::AddThrowIndicatorScript, &AttachComponent<ThrowIndicatorScript>, false, nullptr},
      {"WinTriggerScript", C::AddWinTrigger, &AttachComponent<WinTrigger>, false, nullptr},
      {"WormHeadScript", C::AddWormHeadScript, &AttachComponent<WormHeadScript>, false, nullptr},
      {"WormSegmentScript", C::AddWormSegmentScript, &AttachComponent<WormSegmentScript>, false, nullptr},
      {"EnemyScript", C::AddEnemyScript, &AttachComponent<EnemyScript>, false, nullptr},
      {"EnemyTriggerScript", C::AddEnemyTrigger, &AttachComponent<EnemyTrigger>, false, nullptr},
      {"Light", C::AddLight, &AttachComponent<Light>, false, LightFields()},
      {"PointLight", C::AddPointLight, &AttachComponent<PointLight>, false, PointLightFields()},
      {"DirLight", C::AddDirLight, &AttachComponent<DirLight>, false, DirLightFields()},
      {"PlayerAnimationScript", C::AddPlayerAnimation, &AttachComponent<PlayerAnimation>, false, nullptr},
      {"ParticleEmitter", C::AddParticleEmitter, &AttachTwice<ParticleEmitter>, true, ParticleEmitterFields()},
      {"BoomReactScript", C::AddBoomReactScript, &AttachTwice<BoomReactScript>, true, nullptr},
      {"CloudScript", C::AddCloudScript, &AttachComponent<CloudScript>, true, nullptr},
      {"MovingPlatformScript", C::AddMovingPlatformScript, &AttachComponent<MovingPlatformScript>, true,
       MovingPlatformFields()},
      // Made only while playing, never read from or written to level files.
      {"", C::AddBoomScript, &AttachTwice<BoomScript>, true, nullptr},
      {"", C::AddFireflyScript, &AttachComponent<FireflyScript>, true, nullptr},
  };
}

}  // namespace

void RegisterComponentRows() { SetComponentRows(Rows()); }

}  // namespace Framework
