#include "levels/ComponentTable.h"

#include <algorithm>
#include <iterator>

#include "levels/BlockReader.h"
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

// Keys in the order they are tested. Rows whose component has members but no
// loader or writer yet get them when that component class arrives; until its
// Factory command is wired, the Factory ignores the command and the key adds nothing.
const ComponentRow kRows[] = {
    {"Transform", 14, &LoadTransform, &WriteTransform},
    {"Body", 15, &LoadBody, &WriteBody},
    {"Sprite", 16, nullptr, nullptr},
    {"CreditsScript", 17, nullptr, nullptr},
    {"DynamicHazardScript", 18, nullptr, nullptr},
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
    {"Light", 29, nullptr, nullptr},
    {"PointLight", 30, nullptr, nullptr},
    {"DirLight", 31, nullptr, nullptr},
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
