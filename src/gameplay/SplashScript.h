// SplashScript: runs a start-up splash screen (level slots 0 and 1). The picture
// fades in over its first 0.4 s (in, dark for a moment, in again); after 5 s the
// script hands over: the first splash to the second, the second to the main menu.
// Space, Return, Escape, a left release or a right click skip straight to the main
// menu. The skipping key also sets the menus' activate latch, so that holding it
// does not press the main menu's first button as well, and a skipping click is
// consumed, so that no menu sees it.
// Invariant: at most one hand-over is asked for per frame, until the level changes.
#pragma once

#include "engine/EventListener.h"
#include "engine/Events.h"
#include "objects/Script.h"

namespace Framework {

class SplashScript : public Script {
 public:
  // The fade schedule in seconds: in from FadeIn to Dark, dark until FadeInAgain,
  // in again until Shown.
  static constexpr float FadeIn = 0.1f;
  static constexpr float Dark = 0.2f;
  static constexpr float FadeInAgain = 0.3f;
  static constexpr float Shown = 0.4f;
  // Seconds before the hand-over.
  static constexpr float Duration = 5.0f;

  SplashScript() : Script("SplashScript") {}
  // Resets the schedule and starts listening to the keyboard.
  void Initialize() override;
  void Update(float dt) override;
  void OnKeyboard(KeyboardEvent& event);

 private:
  // A skipping key was seen.
  bool skip_ = false;
  float timer_ = 0.0f;

  void Fade();
  Subscription listener_;
};

using SplashListener = EventListener<&SplashScript::OnKeyboard>;

}  // namespace Framework
