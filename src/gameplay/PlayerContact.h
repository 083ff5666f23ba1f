// PlayerContact: what the level's triggers (enemies, the exit) share: telling a
// touch by the Factory's Player from any other collision, and asking for a
// one-shot sound effect.
#pragma once

#include <string>

namespace Framework {

class Event;

// A collision event (kind 0) whose other party is the Factory's Player.
bool IsPlayerContact(const Event* event);
// Posts a one-shot sound on the effects group.
void PostSound(const std::string& name);

}  // namespace Framework
