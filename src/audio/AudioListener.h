// AudioListener: hands every delivered AudioEvent to the AudioSystem.
// Invariant: it observes the system and never outlives it (the system owns the
// subscription that owns this listener).
#pragma once

#include "audio/AudioSystem.h"
#include "engine/EventListener.h"

namespace Framework {

using AudioListener = EventListener<&AudioSystem::Execute>;

}  // namespace Framework
