#include "levels/LevelNotices.h"

#include <memory>
#include <string>
#include <utility>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"

namespace Framework {

namespace {

constexpr float kTitleSeconds = 3.0f;
constexpr float kNoticeSeconds = 0.5f;
constexpr float kTitleSize = 12.0f;
constexpr float kNoticeSize = 9.0f;
const Color3 kTextColor{1.0f, 1.0f, 0.37647f};

// A text shown for exactly one frame; the next Update posts it again while it lasts.
void PostText(std::string text, float size, float x, float y) {
  auto event = std::make_unique<GraphicsEvent>();
  event->Command = GraphicsCommand::ShowText;
  event->Text = std::move(text);
  event->Size = size;
  event->X = x;
  event->Y = y;
  event->Lifetime = 0.0f;
  event->Color = kTextColor;
  EventSystem::Instance().Post(std::move(event));
}

}  // namespace

void LevelNotices::Update(Serialization& levels, float dt) {
  const CameraView camera = levels.Hooks.Camera ? levels.Hooks.Camera() : CameraView{};
  if (IsPlayLevel(levels.CurrentLevel)) {
    levels.LevelTitleTimer += dt;
    if (levels.LevelTitleTimer <= kTitleSeconds) {
      PostText("Level " + std::to_string(LevelNumber(levels.CurrentLevel)) + " out of " +
                   std::to_string(LevelSlot::NumberedLevels),
               kTitleSize, camera.Position.x - camera.ViewHalfWidth / 4.5f,
               camera.ViewHalfHeight * 0.5f + camera.Position.y - 4.0f);
    }
  }
  if (!levels.ShowCheckpoint && !levels.ShowTryAgain) return;
  levels.MessageTimer += dt;
  if (levels.MessageTimer > kNoticeSeconds) {
    levels.MessageTimer = 0.0f;
    levels.ShowCheckpoint = false;
    levels.ShowTryAgain = false;
  } else if (levels.ShowCheckpoint) {
    PostText("Checkpoint reached", kNoticeSize, camera.Position.x - camera.ViewHalfWidth / 5.5f, camera.Position.y);
  } else {
    PostText("Try again", kNoticeSize, camera.Position.x - camera.ViewHalfWidth / 10.0f, camera.Position.y);
  }
}

}  // namespace Framework
