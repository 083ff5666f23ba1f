// LevelNotices: the texts the level system puts on screen, one frame at a time:
// the level title ("Level N out of 8") for the first seconds of a play level, and
// "Checkpoint reached" or "Try again" for half a second. They are posted as
// GraphicsEvents that live one frame, placed around the live camera.
// Invariant: a notice flag of the Serialization system is cleared, with its timer,
// as soon as its half second has passed.
#pragma once

namespace Framework {

class Serialization;

class LevelNotices {
 public:
  // Advances the timers of `levels` by dt and posts this frame's texts.
  static void Update(Serialization& levels, float dt);
};

}  // namespace Framework
