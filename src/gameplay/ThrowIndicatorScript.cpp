#include "gameplay/ThrowIndicatorScript.h"

#include <SDL.h>

#include <cmath>
#include <numbers>

#include "engine/Commands.h"
#include "engine/Windows.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/Transform.h"

namespace Framework {

void ThrowIndicatorScript::Initialize() {
  bombsLeft_ = FullSupply;
  listener_ = Listen<ThrowIndicatorListener>(this);
  sprite_ = Owner ? Owner->GetComponent<Sprite>() : nullptr;
  if (sprite_) sprite_->SetFilename(std::string("throw_indicator_3"));
}

void ThrowIndicatorScript::Update(float) {
  if (!Owner) return;
  auto* transform = Owner->GetComponent<Transform>();
  if (!missing_.Check(transform != nullptr, *this, "Transform")) return;
  const MouseRecord& mouse = Windows::Instance().Mouse;
  GameObject* player = Factory::Instance().Player;
  const Transform* playerTransform = player ? player->GetComponent<Transform>() : nullptr;
  if (playerTransform) {
    const Vec2 toCursor = Vec2{mouse.MouseX, mouse.MouseY} - playerTransform->Position;
    const float length = glm::length(toCursor);
    // A cursor exactly on the player gives no direction: the marker stays where it was.
    if (length > 0.0f) {
      const Vec2 u = toCursor / length;
      transform->Position = playerTransform->Position + u * Distance;
      constexpr float pi = std::numbers::pi_v<float>;
      if (u.x > 0.0f) {
        transform->Rotation = std::atan(u.y / u.x);
      } else if (u.x < 0.0f) {
        transform->Rotation = std::atan(u.y / u.x) - pi;
      } else {
        // Straight up or down: the angle the formula above tends to from either side.
        transform->Rotation = u.y > 0.0f ? pi / 2.0f : -pi / 2.0f;
      }
    }
  }
  if (mouse.Button == SDL_BUTTON_RIGHT && mouse.ButtonEventType == Windows::ButtonDown) {
    bombsLeft_ = FullSupply;
    SetIndicatorTexture();
  }
}

void ThrowIndicatorScript::OnFactoryEvent(FactoryEvent& event) {
  if (event.Command != FactoryCommand::BuildBomb || bombsLeft_ <= 0) return;
  --bombsLeft_;
  SetIndicatorTexture();
}

void ThrowIndicatorScript::SetIndicatorTexture() {
  static const char* const kTextures[] = {"throw_indicator", "throw_indicator_1", "throw_indicator_2",
                                          "throw_indicator_3"};
  if (!sprite_ || bombsLeft_ < 0 || bombsLeft_ > FullSupply) return;
  sprite_->SetFilename(std::string(kTextures[bombsLeft_]));
}

}  // namespace Framework
