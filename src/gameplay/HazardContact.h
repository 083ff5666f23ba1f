// HazardContact: what the two hazard scripts share: joining and leaving their
// object's collision events, recognising a contact with the player, the crash sound.
#pragma once

#include "objects/Component.h"

namespace Framework {

class Event;

// Registers the component for its owner's object events unless already done.
void RegisterForContacts(Component& component, bool& registered);
void UnregisterFromContacts(Component& component, bool& registered);
// A collision (kind 0) whose other party is the Factory's player.
bool IsPlayerContact(const Event* event);
void PostCrashSound();

}  // namespace Framework
