// WorldSteps: runs the systems that make the world move (scripts, events, physics,
// the factory's deferred destruction), in the order of a real frame, without a
// window or drawing. The engine's Paused flag is read afresh for each system.
// WorldFixture adds private level slots (LevelFixture) and a Serialization that
// hears the level requests scripts post.
#pragma once

#include "levels/Serialization.h"
#include "support/LevelFixture.h"

#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "physics/Physics.h"

namespace Framework {

inline void StepWorld(int frames = 1, float dt = Engine::FrameTime) {
  Engine& engine = Engine::Instance();
  for (int i = 0; i < frames; ++i) {
    Scripting::Instance().Update(dt, engine.Paused);
    EventSystem::Instance().Update(dt, engine.Paused);
    Physics::Instance().Update(dt, engine.Paused);
    Factory::Instance().Update(dt, engine.Paused);
  }
}

}  // namespace Framework

namespace Framework {

class WorldFixture : public LevelFixture {
 protected:
  void SetUp() override {
    LevelFixture::SetUp();
    // Subscribes Serialization, which loads slot 0: an empty world, so that no
    // step past a missing slot is pending when the test begins.
    WriteFileText(SlotFile(0), "{}");
    Serialization::Instance().Initialize();
    Engine::Instance().Paused = false;
  }
};

}  // namespace Framework
