#include "levels/ComponentTable.h"

#include <algorithm>
#include <iterator>

#include "gameplay/DynamicHazardScript.h"
#include "graphics/DirLight.h"
#include "graphics/Light.h"
#include "graphics/PointLight.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteLanguage.h"
#include "levels/BlockReader.h"
#include "levels/Localisation.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"
#include "physics/Body.h"

namespace Framework {

namespace {

Json::Value Number(float value) { return Json::Value(static_cast<double>(value)); }

// Transform -----------------------------------------------------------------

ComponentApplier LoadTransform(BlockReader& block) {
  const Vec2 position = block.XY("Position");
  const Vec2 scale = block.XY("Scale");
  const float rotation = block.Float("Rotation");
  const float zLayer = block.Float("ZLayer");
  return [=](GameObject& object) {
    auto* transform = object.GetComponent<Transform>();
    if (!transform) return;
    transform->Position = position;
    transform->Scale = scale;
    transform->Rotation = rotation;
    transform->ZLayer = zLayer;
  };
}

Json::Value WriteTransform(const Component& component) {
  const auto& transform = static_cast<const Transform&>(component);
  Json::Value block(Json::objectValue);
  block["Position"] = WriteXY(transform.Position.x, transform.Position.y);
  block["Scale"] = WriteXY(transform.Scale.x, transform.Scale.y);
  block["Rotation"] = Number(transform.Rotation);
  block["ZLayer"] = Number(transform.ZLayer);
  return block;
}

// Body ----------------------------------------------------------------------

ComponentApplier LoadBody(BlockReader& block) {
  BlockReader frictionBlock = block.Child("Friction");
  FrictionFactors friction;
  friction.X = frictionBlock.Float("X");
  friction.Y = frictionBlock.Float("Y");
  friction.XG = frictionBlock.Float("XG");
  const bool isStatic = block.Bool("IsStatic");
  const bool isCollidable = block.Bool("IsCollidable");
  const bool isGhost = block.Bool("IsGhost");
  const Vec2 bounce = block.XY("Bounce");
  return [=](GameObject& object) {
    auto* body = object.GetComponent<Body>();
    if (!body) return;
    body->Friction = friction;
    body->IsStatic = isStatic;
    body->IsCollidable = isCollidable;
    body->IsGhost = isGhost;
    body->Bounce.X = bounce.x;
    body->Bounce.Y = bounce.y;
  };
}

Json::Value WriteBody(const Component& component) {
  const auto& body = static_cast<const Body&>(component);
  Json::Value block(Json::objectValue);
  Json::Value friction(Json::objectValue);
  friction["X"] = Number(body.Friction.X);
  friction["Y"] = Number(body.Friction.Y);
  friction["XG"] = Number(body.Friction.XG);
  block["Friction"] = friction;
  block["IsStatic"] = body.IsStatic;
  block["IsCollidable"] = body.IsCollidable;
  block["IsGhost"] = body.IsGhost;
  block["Bounce"] = WriteXY(body.Bounce.X, body.Bounce.Y);
  return block;
}

// Sprite and lights ----------------------------------------------------------

Color3 ReadRGB(BlockReader& block, const char* key) {
  BlockReader rgb = block.Child(key);
  Color3 color;
  color.R = rgb.Float("R");
  color.G = rgb.Float("G");
  color.B = rgb.Float("B");
  return color;
}

Vec3 ReadXYZ(BlockReader& block, const char* key) {
  BlockReader xyz = block.Child(key);
  Vec3 v;
  v.x = xyz.Float("X");
  v.y = xyz.Float("Y");
  v.z = xyz.Float("Z");
  return v;
}

Json::Value WriteRGB(Color3 color) {
  Json::Value rgb(Json::objectValue);
  rgb["R"] = Number(color.R);
  rgb["G"] = Number(color.G);
  rgb["B"] = Number(color.B);
  return rgb;
}

Json::Value WriteXYZ(Vec3 v) {
  Json::Value xyz(Json::objectValue);
  xyz["X"] = Number(v.x);
  xyz["Y"] = Number(v.y);
  xyz["Z"] = Number(v.z);
  return xyz;
}

ComponentApplier LoadSprite(BlockReader& block) {
  // The language is read when the level is read: a world loaded in Russian shows
  // the Russian versions of the worded textures.
  const std::string filename = LocalisedTextureName(block.String("Filename"), Localisation::Instance().Language);
  const Color3 color = ReadRGB(block, "Color");
  const float alpha = block.Float("Alfa");
  return [=](GameObject& object) {
    auto* sprite = object.GetComponent<Sprite>();
    if (!sprite) return;
    // An empty name is a plain coloured quad: there is no texture to bind.
    if (filename.empty()) {
      sprite->Filename.clear();
    } else {
      sprite->SetFilename(filename);
    }
    sprite->Color = color;
    sprite->Alpha = alpha;
  };
}

Json::Value WriteSprite(const Component& component) {
  const auto& sprite = static_cast<const Sprite&>(component);
  Json::Value block(Json::objectValue);
  block["Filename"] = sprite.Filename;
  block["Color"] = WriteRGB(sprite.Color);
  block["Alfa"] = Number(sprite.Alpha);
  return block;
}

template <class L>
ComponentApplier LoadLightColor(BlockReader& block) {
  const Color3 color = ReadRGB(block, "Color");
  return [=](GameObject& object) {
    if (auto* light = object.GetComponent<L>()) light->Color = color;
  };
}

ComponentApplier LoadPointLight(BlockReader& block) {
  const Color3 color = ReadRGB(block, "Color");
  const Vec3 offset = ReadXYZ(block, "Offset");
  const float radius = block.Float("Radius");
  return [=](GameObject& object) {
    auto* light = object.GetComponent<PointLight>();
    if (!light) return;
    light->Color = color;
    light->Offset = offset;
    light->Radius = radius;
  };
}

ComponentApplier LoadDirLight(BlockReader& block) {
  const Color3 color = ReadRGB(block, "Color");
  const Vec3 direction = ReadXYZ(block, "Direction");
  return [=](GameObject& object) {
    auto* light = object.GetComponent<DirLight>();
    if (!light) return;
    light->Color = color;
    light->Direction = direction;
  };
}

Json::Value WriteLight(const Component& component) {
  Json::Value block(Json::objectValue);
  block["Color"] = WriteRGB(static_cast<const Light&>(component).Color);
  return block;
}

Json::Value WritePointLight(const Component& component) {
  const auto& light = static_cast<const PointLight&>(component);
  Json::Value block(Json::objectValue);
  block["Color"] = WriteRGB(light.Color);
  block["Offset"] = WriteXYZ(light.Offset);
  block["Radius"] = Number(light.Radius);
  return block;
}

Json::Value WriteDirLight(const Component& component) {
  const auto& light = static_cast<const DirLight&>(component);
  Json::Value block(Json::objectValue);
  block["Color"] = WriteRGB(light.Color);
  block["Direction"] = WriteXYZ(light.Direction);
  return block;
}

// Gameplay ------------------------------------------------------------------

ComponentApplier LoadDynamicHazard(BlockReader& block) {
  const Vec2 rate = block.XY("Rate");
  const Vec2 max = block.XY("Max");
  const Vec2 min = block.XY("Min");
  const float delay = block.Float("Delay");
  const float delayRadius = block.Float("Delay_Radius");
  return [=](GameObject& object) {
    auto* hazard = object.GetComponent<DynamicHazardScript>();
    if (!hazard) return;
    hazard->Rate = rate;
    hazard->Max = max;
    hazard->Min = min;
    hazard->Delay = delay;
    hazard->DelayRadius = delayRadius;
  };
}

Json::Value WriteDynamicHazard(const Component& component) {
  const auto& hazard = static_cast<const DynamicHazardScript&>(component);
  Json::Value block(Json::objectValue);
  block["Rate"] = WriteXY(hazard.Rate.x, hazard.Rate.y);
  block["Max"] = WriteXY(hazard.Max.x, hazard.Max.y);
  block["Min"] = WriteXY(hazard.Min.x, hazard.Min.y);
  block["Delay"] = Number(hazard.Delay);
  block["Delay_Radius"] = Number(hazard.DelayRadius);
  return block;
}

// Keys in the order they are tested. Rows whose component has members but no
// loader or writer yet get them when that component class arrives; until its
// Factory command is wired, the Factory ignores the command and the key adds nothing.
const ComponentRow kRows[] = {
    {"Transform", 14, &LoadTransform, &WriteTransform},
    {"Body", 15, &LoadBody, &WriteBody},
    {"Sprite", 16, &LoadSprite, &WriteSprite},
    {"CreditsScript", 17, nullptr, nullptr},
    {"DynamicHazardScript", 18, &LoadDynamicHazard, &WriteDynamicHazard},
    {"Player_Controller", 19, nullptr, nullptr},
    {"PusherScript", 20, nullptr, nullptr},
    {"SplashScript", 21, nullptr, nullptr},
    {"StaticHazardScript", 22, nullptr, nullptr},
    {"ThrowIndicatorScript", 23, nullptr, nullptr},
    {"WinTriggerScript", 24, nullptr, nullptr},
    {"WormHeadScript", 25, nullptr, nullptr},
    {"WormSegmentScript", 26, nullptr, nullptr},
    {"EnemyScript", 27, nullptr, nullptr},
    {"EnemyTriggerScript", 28, nullptr, nullptr},
    {"Light", 29, &LoadLightColor<Light>, &WriteLight},
    {"PointLight", 30, &LoadPointLight, &WritePointLight},
    {"DirLight", 31, &LoadDirLight, &WriteDirLight},
    {"PlayerAnimationScript", 32, nullptr, nullptr},
    {"ParticleEmitter", 33, nullptr, nullptr},
    {"BoomReactScript", 35, nullptr, nullptr},
    {"CloudScript", 36, nullptr, nullptr},
    {"MovingPlatformScript", 37, nullptr, nullptr},
};

}  // namespace

Json::Value WriteXY(float x, float y) {
  Json::Value pair(Json::objectValue);
  pair["X"] = Number(x);
  pair["Y"] = Number(y);
  return pair;
}

std::span<const ComponentRow> ComponentRows() { return kRows; }

const ComponentRow* FindComponentRow(std::string_view key) {
  auto it = std::find_if(std::begin(kRows), std::end(kRows), [key](const ComponentRow& row) { return row.Key == key; });
  return it == std::end(kRows) ? nullptr : &*it;
}

}  // namespace Framework
