// PlaytestClock: how long the play level on screen has taken in game time and how
// often it was started over (a death or R), so a playtester reads one line per win
// instead of timing runs by hand.
// Invariant: both counts start from zero whenever a different level is entered and
// grow only while that level stays; time is game time (paused frames and a slowed
// step count as what the game simulated).
#pragma once

#include <cstdint>
#include <string>

namespace Framework {

class PlaytestClock {
 public:
  // A different level (or a continued game) was built: counting starts over.
  void Entered();
  // The same level was built again: the player died or restarted it.
  void StartedOver() { ++deaths_; }
  void Advance(float step) { seconds_ += static_cast<double>(step); }

  double Seconds() const { return seconds_; }
  std::int32_t Deaths() const { return deaths_; }
  // "Playtest: level 3 won in 41.2 s (game time), 2 deaths"
  std::string WinLine(std::int32_t levelNumber) const;

 private:
  double seconds_ = 0.0;
  std::int32_t deaths_ = 0;
};

}  // namespace Framework
