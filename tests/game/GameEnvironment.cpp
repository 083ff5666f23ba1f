// Every test process starts as the game does before its systems exist: the
// archetypes and component rows registered and the window's hooks connected.
#include <gtest/gtest.h>

#include "game/Startup.h"

namespace {

class GameEnvironment : public testing::Environment {
 public:
  void SetUp() override { Framework::RegisterGame(); }
};

const testing::Environment* const kGameEnvironment = testing::AddGlobalTestEnvironment(new GameEnvironment);

}  // namespace
