// AudioListener: hands every delivered AudioEvent to the AudioSystem it points at.
// Invariant: it observes the system and never outlives it (the system owns the
// subscription that owns this listener).
#pragma once

#include "engine/Event.h"

namespace Framework {

class AudioSystem;

class AudioListener : public Listener {
 public:
  explicit AudioListener(AudioSystem* system) : system_(system) {}
  void OnEvent(Event* event) override;

 private:
  AudioSystem* system_;
};

}  // namespace Framework
