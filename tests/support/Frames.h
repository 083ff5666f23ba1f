// Runs the game's systems frame by frame at a fixed step, the way the main loop
// does without its clock, so tests of whole-game behaviour are deterministic.
#pragma once

#include "engine/Engine.h"

namespace Framework {

inline void RunFrames(int frames, float step = Engine::FrameTime) {
  for (int i = 0; i < frames; ++i) Engine::Instance().RunFrame(step);
}

}  // namespace Framework
