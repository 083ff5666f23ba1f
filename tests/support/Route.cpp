#include "support/Route.h"

#include <algorithm>

#include "gameplay/PlayerController.h"
#include "physics/Body.h"

namespace Framework {

namespace {

// Short enough for a failure message.
std::string Number(float v) { return NumberText(v, 6); }

bool JumpNow(Scenario& s) {
  if (!ReadyToJump(s)) return false;
  const std::size_t jumps = s.CountSound("beep.ogg");
  s.Tap(Keys::Jump);
  return s.CountSound("beep.ogg") > jumps;
}

}  // namespace

bool ReadyToJump(const Scenario& s) {
  const GameObject* player = s.Player();
  const auto* controller = player ? player->GetComponent<PlayerController>() : nullptr;
  const Body* body = s.PlayerBody();
  return controller && body && !controller->Spawning() && controller->CanJump() && !controller->JumpLocked() &&
         body->Grounded;
}

RouteStep Hold(SDL_Scancode key) {
  return {std::string("hold ") + SDL_GetScancodeName(key), [key](Scenario& s) {
            s.Press(key);
            return true;
          }};
}

RouteStep LetGo(SDL_Scancode key) {
  return {std::string("let go of ") + SDL_GetScancodeName(key), [key](Scenario& s) {
            s.Release(key);
            return true;
          }};
}

RouteStep Wait(Seconds duration) {
  return {"wait " + Number(static_cast<float>(duration.count())) + " s", [duration](Scenario& s) {
            s.Run(duration);
            return true;
          }};
}

RouteStep ReachX(float x) {
  return {"reach x " + Number(x), [x](Scenario& s) {
            // A route that has already passed the place went wrong earlier.
            const auto passed = [&] { return s.PlayerPosition().x >= x; };
            return !passed() && s.RunUntil(passed, Seconds(15));
          }};
}

RouteStep Jump() { return {"jump", JumpNow}; }

RouteStep JumpAt(float x) {
  const RouteStep reach = ReachX(x);
  return {"jump at x " + Number(x), [reach](Scenario& s) { return reach.Play(s) && JumpNow(s); }};
}

RouteStep Land() {
  return {"land", [](Scenario& s) {
            bool airborne = false;
            return s.RunUntil(
                [&] {
                  const Body* body = s.PlayerBody();
                  airborne = airborne || (body && !body->Grounded);
                  return airborne && ReadyToJump(s);
                },
                Seconds(10));
          }};
}

RouteStep ShortJump(float from, float letGoAt) {
  const Route steps = {JumpAt(from), ReachX(letGoAt), LetGo(Keys::Right), Land(), Hold(Keys::Right)};
  return {"short jump from x " + Number(from) + " to x " + Number(letGoAt), [steps](Scenario& s) {
            return std::all_of(steps.begin(), steps.end(), [&](const RouteStep& step) { return step.Play(s); });
          }};
}

RouteStep Throw(Vec2 at, bool fromPlayer) {
  return {"throw at (" + Number(at.x) + ", " + Number(at.y) + ")" + (fromPlayer ? " from the player" : ""),
          [at, fromPlayer](Scenario& s) {
            const std::size_t throws = s.CountSound("throw.ogg");
            s.ClickLeftAt(fromPlayer ? s.PlayerPosition() + at : at);
            return s.CountSound("throw.ogg") > throws;
          }};
}

RouteStep Blast(bool jump) {
  return {jump ? "blast and jump" : "blast", [jump](Scenario& s) {
            if (jump && !ReadyToJump(s)) return false;
            if (jump) s.Press(Keys::Jump);
            s.PressButtonAt(SDL_BUTTON_RIGHT, s.PlayerPosition());
            s.Release(Keys::Jump);
            s.RunFrames(1);
            return true;
          }};
}

RouteStep Until(const std::string& what, std::function<bool(Scenario&)> done, Seconds limit) {
  return {"until " + what, [done, limit](Scenario& s) { return s.RunUntil([&] { return done(s); }, limit); }};
}

::testing::AssertionResult PlayRoute(Scenario& s, const Route& route) {
  for (std::size_t i = 0; i < route.size(); ++i) {
    if (!route[i].Play(s)) {
      return ::testing::AssertionFailure() << "step " << i + 1 << " (" << route[i].What << ") failed: " << s.Where();
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace Framework
