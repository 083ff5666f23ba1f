// HazardContact: what the two hazard scripts share: joining their object's
// collision events, recognising a contact with the player; the level's triggers
// (enemies, the exit) tell a touch by the player the same way.
#pragma once

#include "objects/Component.h"

namespace Framework {

class Event;

// Registers the component for its owner's object events (once, however often
// it is called); it leaves the registry by itself when it dies.
void RegisterForContacts(Component& component);
// A collision (kind 0) whose other party is the Factory's player.
bool IsPlayerContact(const Event* event);

}  // namespace Framework
