#include "audio/AudioListener.h"

#include "audio/AudioSystem.h"
#include "engine/Events.h"

namespace Framework {

void AudioListener::OnEvent(Event* event) {
  if (!event || event->Type != EventType::Audio) return;
  system_->Execute(*static_cast<AudioEvent*>(event));
}

}  // namespace Framework
