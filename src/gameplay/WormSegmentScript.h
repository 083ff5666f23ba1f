// WormSegmentScript: marks its object as a body segment of a worm (scenery). It
// carries no data and does nothing; level files mark and save worm parts with it.
#pragma once

#include "objects/Script.h"

namespace Framework {

class WormSegmentScript : public Script {
 public:
  WormSegmentScript() : Script("WormSegmentScript") {}
  void Update(float) override {}
};

}  // namespace Framework
