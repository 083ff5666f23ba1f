// WormHeadScript: marks its object as the head of a worm (scenery). It carries no
// data and does nothing; it exists so that level files can say so and save it back.
#pragma once

#include "objects/Script.h"

namespace Framework {

class WormHeadScript : public Script {
 public:
  WormHeadScript() : Script("WormHeadScript") {}
  void Update(float) override {}
};

}  // namespace Framework
