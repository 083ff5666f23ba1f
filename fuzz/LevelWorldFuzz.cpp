// Level files are player-editable input. Whatever the text, loading it must build a
// world or say why not; the world must then run (scripts, events, physics,
// particles, with the player walking, jumping, throwing and detonating) without a
// crash, a hang or unbounded memory, and saving it must give a file that loads
// back to as many objects as were saved.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <SDL.h>

#include "FuzzCheck.h"
#include "audio/AudioSystem.h"
#include "audio/NullAudioBackend.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/Events.h"
#include "engine/InterfaceSystem.h"
#include "engine/Random.h"
#include "engine/Windows.h"
#include "game/Startup.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "particles/ParticleSystem.h"
#include "physics/Physics.h"

namespace Framework {
namespace {

constexpr int kFrames = 30;
constexpr float kStep = 1.0f / 60.0f;
// The frames in which the mouse buttons go down: a throw, then the detonation.
constexpr int kThrowFrame = 2;
constexpr int kDetonateFrame = 12;
constexpr std::uint8_t kLeftButton = SDL_BUTTON_LEFT;
constexpr std::uint8_t kRightButton = SDL_BUTTON_RIGHT;

// The window's input step without a window: right and jump held, a throw and a
// detonation aimed up and ahead of the world's origin.
class Input : public InterfaceSystem {
 public:
  Input() {
    Keys[SDL_SCANCODE_RIGHT] = 1;
    Keys[SDL_SCANCODE_SPACE] = 1;
  }
  void Update(float, bool) override {
    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.MouseX = 6.0f;
    mouse.MouseY = 4.0f;
    mouse.Button = 0;
    mouse.ButtonEventType = 0;
    if (Frame == kThrowFrame || Frame == kDetonateFrame) {
      mouse.Button = Frame == kThrowFrame ? kLeftButton : kRightButton;
      mouse.ButtonEventType = Windows::ButtonDown;
    }
    auto keyboard = std::make_unique<KeyboardEvent>();
    keyboard->KeyState = Keys.data();
    EventSystem::Instance().Post(std::move(keyboard));
    if (mouse.Button == kLeftButton) EventSystem::Instance().Post(std::make_unique<MouseEvent>(&mouse));
    ++Frame;
  }

  std::array<std::uint8_t, SDL_NUM_SCANCODES> Keys{};
  int Frame = 0;
};

class FuzzWorld {
 public:
  FuzzWorld()
      : folder_(std::filesystem::temp_directory_path() / ("tumbrix-fuzz-" + std::to_string(::getpid()))),
        level_((folder_ / "level.json").string()),
        save_((folder_ / "autosave.json").string()) {
    // No window and no sound device: the world runs the same without them.
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::filesystem::create_directories(folder_);
    std::ofstream(level_) << "{}";
    RegisterGame();
    Random::SetMasterSeed(1);
    ParticleSystem::Instance().Reseed();
    AudioSystem& audio = AudioSystem::Instance();
    audio.SetBackend(std::make_unique<NullAudioBackend>());
    Windows::Instance().SetKeyState(input_.Keys.data());
    Serialization& levels = Serialization::Instance();
    // Every level step leads back to the input itself.
    for (std::string& file : levels.LevelFiles) file = level_;
    levels.AutosavePath = save_;
    levels.Hooks.ClearParticles = [] { ParticleSystem::Instance().Clear(); };
    Engine::Instance().Systems = {&audio,
                                  &input_,
                                  &Scripting::Instance(),
                                  &EventSystem::Instance(),
                                  &Physics::Instance(),
                                  &ParticleSystem::Instance(),
                                  &Factory::Instance(),
                                  &levels};
    CapturedOutput quiet;
    for (InterfaceSystem* system : Engine::Instance().Systems) system->Initialize();
  }
  ~FuzzWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  FuzzWorld(const FuzzWorld&) = delete;
  FuzzWorld& operator=(const FuzzWorld&) = delete;

  void Run(const std::uint8_t* data, std::size_t size) {
    CapturedOutput quiet;
    std::ofstream(level_, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    Engine& engine = Engine::Instance();
    engine.Paused = false;
    engine.FlyMode = false;
    input_.Frame = 0;
    Serialization& levels = Serialization::Instance();
    levels.CurrentLevel = LevelSlot::FirstPlay;
    levels.Load(level_);
    for (int frame = 0; frame < kFrames; ++frame) engine.RunFrame(kStep);

    // Written back, the world must load again with every saved object (the
    // player's fireflies and throw indicator may join them: the player makes those).
    if (levels.Save(save_)) {
      const Json::Value& entries = levels.Root["Factory"]["Game_Objects"];
      const std::size_t saved = entries.isObject() ? entries.size() : 0;
      CapturedOutput reload;
      FUZZ_CHECK(levels.Load(save_));
      FUZZ_CHECK(Factory::Instance().Objects.size() >= saved);
      FUZZ_CHECK(reload.Text().find("skipped") == std::string::npos);
    }
    // Nothing carries over to the next input: requests still queued go with the world.
    EventSystem::Instance().Update(0.0f, true);
    Factory::Instance().DestroyAll();
    ParticleSystem::Instance().Clear();
  }

 private:
  std::filesystem::path folder_;
  std::string level_;
  std::string save_;
  Input input_;
};

}  // namespace
}  // namespace Framework

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Framework::FuzzWorld world;
  world.Run(data, size);
  return 0;
}
