// PlayerContact: what the level's triggers (enemies, the exit) share with the
// hazards (telling a touch by the Factory's Player from any other collision),
// and asking for a one-shot sound effect.
#pragma once

#include <string>

#include "gameplay/HazardContact.h"

namespace Framework {

// Posts a one-shot sound on the effects group.
void PostSound(const std::string& name);

}  // namespace Framework
