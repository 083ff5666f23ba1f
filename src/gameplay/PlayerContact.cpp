#include "gameplay/PlayerContact.h"

#include <memory>

#include "engine/Commands.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"

namespace Framework {

void PostSound(const std::string& name) {
  auto sound = std::make_unique<AudioEvent>();
  sound->Command = AudioCommand::PlaySfx;
  sound->SoundName = name;
  EventSystem::Instance().Post(std::move(sound));
}

}  // namespace Framework
