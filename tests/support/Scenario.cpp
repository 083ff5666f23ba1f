#include "support/Scenario.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <utility>

#include "audio/AudioSystem.h"
#include "audio/NullAudioBackend.h"
#include "editor/Replay.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "engine/InterfaceSystem.h"
#include "engine/Random.h"
#include "engine/Windows.h"
#include "game/Startup.h"
#include "gameplay/CreditsScript.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Scripting.h"
#include "objects/Transform.h"
#include "particles/ParticleSystem.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "support/Files.h"

namespace Framework {

// Level text ------------------------------------------------------------------

std::string NumberText(float v, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(v));
  return text;
}

namespace {

std::string Num(float v) { return NumberText(v); }

std::string XY(Vec2 v) { return "{\"X\": " + Num(v.x) + ", \"Y\": " + Num(v.y) + "}"; }

std::string TransformBlock(Vec2 at, Vec2 size, float z) {
  return "\"Transform\": {\"Position\": " + XY(at) + ", \"Scale\": " + XY(size) +
         ", \"Rotation\": 0, \"ZLayer\": " + Num(z) + "}";
}

// The engine's default friction; `bounce` is the rebound on landing (X) and on walls (Y).
std::string BodyBlock(bool isStatic, Vec2 bounce, float airFriction = 0.99f) {
  return "\"Body\": {\"Friction\": {\"X\": " + Num(airFriction) + ", \"XG\": 0.9, \"Y\": 0.99}, \"IsStatic\": " +
         (isStatic ? "true" : "false") + ", \"IsCollidable\": true, \"IsGhost\": false, \"Bounce\": " + XY(bounce) +
         "}";
}

std::string SpriteBlock(const std::string& texture, float r, float g, float b) {
  return "\"Sprite\": {\"Filename\": \"" + texture + "\", \"Color\": {\"R\": " + Num(r) + ", \"G\": " + Num(g) +
         ", \"B\": " + Num(b) + "}, \"Alfa\": 1}";
}

}  // namespace

LevelText& LevelText::Player(Vec2 at, bool shovedByBlasts) {
  return Entry("{\"Name\": \"Player\", " + TransformBlock(at, {1, 2}, 0.1f) + ", " + BodyBlock(false, {0, 0}, playerAirFriction_) + ", " +
               SpriteBlock("player", 1, 1, 1) + ", \"Player_Controller\": \"\", \"PlayerAnimationScript\": \"\"" +
               (shovedByBlasts ? ", \"BoomReactScript\": \"\"" : "") + "}");
}

LevelText& LevelText::Platform(Vec2 at, Vec2 size) {
  return Entry("{\"Name\": \"Platform\", " + TransformBlock(at, size, 0.5f) + ", " + BodyBlock(true, {0.5f, 0.5f}) +
               ", " + SpriteBlock("", 0.4f, 0.35f, 0.3f) + "}");
}

LevelText& LevelText::Spikes(Vec2 at, Vec2 size) {
  return Entry("{\"Name\": \"StaticHazard\", " + TransformBlock(at, size, 0.4f) + ", " +
               BodyBlock(true, {0.5f, 0.5f}) + ", " + SpriteBlock("", 0.9f, 0.1f, 0.1f) +
               ", \"StaticHazardScript\": \"\"}");
}

LevelText& LevelText::Crate(Vec2 at, Vec2 size) {
  return Entry("{\"Name\": \"Crate\", " + TransformBlock(at, size, 0.3f) + ", " + BodyBlock(false, {0.5f, 0.5f}) +
               ", " + SpriteBlock("container2", 1, 1, 1) + ", \"BoomReactScript\": \"\"}");
}

LevelText& LevelText::Entry(const std::string& json) {
  entries_.push_back(json);
  return *this;
}

std::string LevelText::Text() const {
  std::string text = "{\"Physics\": {\"Gravity\": " + Num(gravity_) + "}, \"Factory\": {\"Game_Objects\": [\n";
  for (std::size_t i = 0; i < entries_.size(); ++i) text += (i ? ",\n" : "") + entries_[i];
  return text + "\n]}}\n";
}

// The input step ----------------------------------------------------------------

// Stands in for the window's per-frame input step: the mouse record is set in
// world units from the script (never from the X pointer), and the key state is
// the scenario's own array.
class Scenario::Input : public InterfaceSystem {
 public:
  void Update(float, bool) override {
    MouseRecord& mouse = Windows::Instance().Mouse;
    mouse.MouseX = Cursor.x;
    mouse.MouseY = Cursor.y;
    mouse.Button = PendingButton;
    mouse.ButtonEventType = PendingKind;
    // Like the window: only the left button raises a MouseEvent (the menus' click).
    const bool mouseActivity = PendingButton == SDL_BUTTON_LEFT;
    PendingButton = 0;
    PendingKind = 0;
    // The window's own events are the scenario's to make: the platform's are dropped
    // (unread, they would pile up for as long as the window lives).
    if (Windows::Instance().Window != nullptr) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (WindowStep) std::exchange(WindowStep, nullptr)();
    auto keyboard = std::make_unique<KeyboardEvent>();
    keyboard->KeyState = Keys.data();
    EventSystem::Instance().Post(std::move(keyboard));
    if (mouseActivity) EventSystem::Instance().Post(std::make_unique<MouseEvent>(&mouse));
  }

  std::array<std::uint8_t, SDL_NUM_SCANCODES> Keys{};
  Vec2 Cursor{0.0f, 0.0f};
  std::uint8_t PendingButton = 0;
  std::uint32_t PendingKind = 0;
  std::function<void()> WindowStep;
};

// Graphics every so many frames, with the time since it last drew.
class Scenario::Drawing : public InterfaceSystem {
 public:
  explicit Drawing(int every) : every_(std::max(every, 1)) {}
  void Update(float dt, bool paused) override {
    sinceDrawn_ += dt;
    if (++frames_ % every_ != 0) return;
    // As in the game after a stall: no step longer than the engine's longest.
    Graphics::Instance().Update(std::min(sinceDrawn_, Engine::MaxStep), paused);
    sinceDrawn_ = 0.0f;
  }

 private:
  int every_;
  int frames_ = 0;
  float sinceDrawn_ = 0.0f;
};

// The scenario --------------------------------------------------------------------

Scenario::Scenario(std::uint32_t seed, ScenarioMenus menus) : input_(std::make_unique<Input>()) {
  RegisterGame();
  // Every generator made from here on (fireflies, particles) draws a fixed sequence.
  Random::SetMasterSeed(seed);
  ParticleSystem& particles = ParticleSystem::Instance();
  particles.Reseed();
  Windows::Instance().SetKeyState(input_->Keys.data());
  AudioSystem& audio = AudioSystem::Instance();
  Serialization& serialization = Serialization::Instance();
  for (int slot = 0; slot < Serialization::kLevelSlotCount; ++slot) {
    serialization.LevelFiles[static_cast<std::size_t>(slot)] = folder_.File("Save" + std::to_string(slot) + ".json");
  }
  serialization.AutosavePath = folder_.File("autosave.json");
  serialization.Hooks.ClearParticles = [] { ParticleSystem::Instance().Clear(); };
  // No notice left over from an earlier scenario in the same process.
  serialization.ShowCheckpoint = serialization.ShowTryAgain = false;
  serialization.MessageTimer = 0.0f;
  serialization.Hooks.PrepareCreditsSave = &CreditsScript::PrepareInterruptedLevel;
  serialization.Hooks.PlayOnly = &CreditsScript::IsPlayOnly;
  WriteFileText(serialization.LevelFiles[0], "{}");

  Engine& engine = Engine::Instance();
  previousSystems_ = engine.Systems;
  engine.Systems = {&audio,
                    input_.get(),
                    &Scripting::Instance(),
                    &EventSystem::Instance(),
                    &Physics::Instance(),
                    &particles,
                    &Factory::Instance(),
                    &serialization};
  engine.Paused = false;
  engine.FlyMode = false;
  static bool initialised = false;
  if (!initialised) {
    initialised = true;
    audio.SetBackend(std::make_unique<NullAudioBackend>());
    for (InterfaceSystem* system : engine.Systems) system->Initialize();
  }
  if (menus == ScenarioMenus::On) {
    // The menus are built around the camera and size their texts with the font,
    // which the GL context loads; Graphics itself stays out of the frame.
    MenuSystem& menuSystem = MenuSystem::Instance();
    static bool menusInitialised = false;
    if (!menusInitialised) {
      menusInitialised = true;
      Graphics::Instance().Initialize();
      menuSystem.Initialize();
    }
    engine.Systems.insert(engine.Systems.begin() + 4, &menuSystem);
    menus_ = true;
  }
  sounds_ = std::make_unique<EventRecorder<AudioEvent>>();
  messages_ = std::make_unique<EventRecorder<GraphicsEvent>>();
}

Scenario::~Scenario() {
  // Whatever the last frame queued (a restart, a notice) is dealt with now, while
  // its world still exists, so that nothing of this game reaches the next scenario.
  EventSystem::Instance().Update(0.0f, false);
  // The menus keep listening to the keyboard: closed, they cannot act on a later game.
  if (menus_) MenuSystem::Instance().SetMenu(MenuId::None);
  Factory::Instance().DestroyAll();
  ParticleSystem::Instance().Clear();
  Random::ClearMasterSeed();
  Windows::Instance().SetKeyState(nullptr);
  Windows::Instance().Pad.SetState(nullptr);
  Engine::Instance().Systems = previousSystems_;
}

void Scenario::LoadLevel(const std::string& text, std::int32_t slot) {
  Serialization& serialization = Serialization::Instance();
  // Always the private file, even after UseShippedLevels: the game's own files are never written.
  std::string& file = serialization.LevelFiles.at(static_cast<std::size_t>(slot));
  file = folder_.File("Save" + std::to_string(slot) + ".json");
  WriteFileText(file, text);
  serialization.CurrentLevel = slot;
  serialization.Load(file);
}

void Scenario::UseShippedLevels() {
  Serialization& serialization = Serialization::Instance();
  for (int slot = 0; slot < Serialization::kLevelSlotCount; ++slot) {
    serialization.LevelFiles[static_cast<std::size_t>(slot)] =
        std::string(TUMBRIX_GAME_DIR) + "/saves/Save" + std::to_string(slot) + ".json";
  }
}

void Scenario::LoadSlot(std::int32_t slot) {
  Serialization& serialization = Serialization::Instance();
  serialization.CurrentLevel = slot;
  serialization.Load(serialization.LevelFiles.at(static_cast<std::size_t>(slot)));
}

bool Scenario::InstallLevelFile(const std::string& path, std::int32_t slot) {
  const std::string text = ReadFileText(path);
  return !text.empty() && WriteFileText(Serialization::Instance().LevelFiles.at(static_cast<std::size_t>(slot)), text);
}

bool Scenario::LoadLevelFile(const std::string& path, std::int32_t slot) {
  const std::string text = ReadFileText(path);
  if (text.empty()) return false;
  LoadLevel(text, slot);
  return true;
}

bool Scenario::PlayReplay(const std::string& replayFile, std::int32_t slot) {
  const std::optional<Replay> replay = Replay::Read(replayFile);
  if (!replay) return false;
  Replay::SeedGenerators(replay->Seed);
  if (!LoadLevelFile(Replay::LevelFor(replayFile).string(), slot)) return false;
  Replay::PlacePlayer(replay->Start);
  for (const ReplayFrame& frame : replay->Frames) {
    input_->Keys.fill(0);
    for (std::uint16_t key : frame.Keys) input_->Keys[key] = 1;
    input_->Cursor = frame.Mouse;
    input_->PendingButton = frame.Button;
    input_->PendingKind = frame.ButtonEvent;
    Engine::Instance().RunFrame(frame.Step);
    ++frame_;
  }
  input_->Keys.fill(0);
  if (replay->End && PlayerPosition() != *replay->End) {
    std::printf("Replay %s: the player ends at (%.9g, %.9g), recorded at (%.9g, %.9g)\n", replayFile.c_str(),
                static_cast<double>(PlayerPosition().x), static_cast<double>(PlayerPosition().y),
                static_cast<double>(replay->End->x), static_cast<double>(replay->End->y));
    return false;
  }
  return true;
}

void Scenario::RunAfterInput(InterfaceSystem* system) {
  std::vector<InterfaceSystem*>& systems = Engine::Instance().Systems;
  systems.insert(std::find(systems.begin(), systems.end(), input_.get()) + 1, system);
}

void Scenario::RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    Engine::Instance().RunFrame(Step);
    ++frame_;
    if (AfterFrame) AfterFrame();
  }
}

void Scenario::Run(Seconds duration) { RunFrames(static_cast<int>(std::lround(duration.count() / Step))); }

bool Scenario::RunUntil(const std::function<bool()>& done, Seconds limit) {
  const int frames = static_cast<int>(std::lround(limit.count() / Step));
  for (int i = 0; i < frames; ++i) {
    RunFrames(1);
    if (done()) return true;
  }
  return false;
}

void Scenario::UseGamepad() {
  Windows& windows = Windows::Instance();
  std::vector<InterfaceSystem*>& systems = Engine::Instance().Systems;
  std::replace(systems.begin(), systems.end(), static_cast<InterfaceSystem*>(input_.get()),
               static_cast<InterfaceSystem*>(&windows));
  windows.SetKeyState(idleKeys_.data());
  windows.Pad.SetState(&pad_);
  gamepad_ = true;
}

void Scenario::Press(SDL_Scancode key) {
  input_->Keys[key] = 1;
  SyncPad();
}

void Scenario::Release(SDL_Scancode key) {
  input_->Keys[key] = 0;
  SyncPad();
}

void Scenario::SyncPad() {
  if (!gamepad_) return;
  const auto& keys = input_->Keys;
  pad_.LeftStick = {static_cast<float>(keys[Keys::Right] - keys[Keys::Left]), -static_cast<float>(keys[Keys::Down])};
  pad_.A = keys[Keys::Jump] != 0;
}

void Scenario::Hold(SDL_Scancode key, Seconds duration) {
  Press(key);
  Run(duration);
  Release(key);
}

void Scenario::Tap(SDL_Scancode key) {
  Press(key);
  RunFrames(1);
  Release(key);
}

void Scenario::TapWindowKey(SDL_Scancode key, SDL_Keycode code) {
  Press(key);
  AtWindowStep([code] { GameFlow::Instance().OnKey(code); });
  Release(key);
}

void Scenario::AtWindowStep(std::function<void()> action) {
  input_->WindowStep = std::move(action);
  RunFrames(1);
}

void Scenario::DrawFrames(int every) {
  if (drawing_) return;
  drawing_ = std::make_unique<Drawing>(every);
  std::vector<InterfaceSystem*>& systems = Engine::Instance().Systems;
  systems.insert(std::find(systems.begin(), systems.end(), input_.get()) + 1, drawing_.get());
}

void Scenario::AimAt(Vec2 world) { input_->Cursor = world; }

void Scenario::PressButtonAt(std::uint8_t button, Vec2 world) {
  AimAt(world);
  input_->PendingButton = button;
  input_->PendingKind = Windows::ButtonDown;
  RunFrames(1);
}

void Scenario::ClickLeftAt(Vec2 world) {
  PressButtonAt(SDL_BUTTON_LEFT, world);
  input_->PendingButton = SDL_BUTTON_LEFT;
  input_->PendingKind = Windows::ButtonUp;
  RunFrames(1);
}

void Scenario::ClickRightAt(Vec2 world) {
  PressButtonAt(SDL_BUTTON_RIGHT, world);
  // The window records no release of the right button.
  RunFrames(1);
}

GameObject* Scenario::Player() const { return Factory::Instance().Player; }

Vec2 Scenario::PlayerPosition() const {
  const GameObject* player = Player();
  const Transform* transform = player ? player->GetComponent<Transform>() : nullptr;
  return transform ? transform->Position : Vec2{NAN, NAN};
}

Body* Scenario::PlayerBody() const {
  const GameObject* player = Player();
  return player ? player->GetComponent<Body>() : nullptr;
}

std::int32_t Scenario::Level() const { return Serialization::Instance().CurrentLevel; }

std::vector<GameObject*> Scenario::ObjectsMatching(const std::function<bool(const GameObject&)>& test) const {
  std::vector<GameObject*> found;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (test(*object)) found.push_back(object.get());
  }
  return found;
}

std::vector<GameObject*> Scenario::ObjectsNamed(const std::string& name) const {
  return ObjectsMatching([&](const GameObject& object) { return object.Name == name; });
}

std::size_t Scenario::ObjectCount() const { return Factory::Instance().Objects.size(); }

std::size_t Scenario::CountSound(const std::string& name) const {
  std::size_t count = 0;
  for (const AudioEvent& event : sounds_->Events) count += event.SoundName == name;
  return count;
}

std::size_t Scenario::CountMessage(const std::string& text) const {
  std::size_t count = 0;
  for (const GraphicsEvent& event : messages_->Events) count += event.Text == text;
  return count;
}

void Scenario::ForgetRecorded() {
  sounds_->Events.clear();
  messages_->Events.clear();
}

std::string Scenario::Where() const {
  char text[200];
  const Vec2 at = PlayerPosition();
  const Body* body = PlayerBody();
  const Vec2 v = body ? body->Velocity : Vec2{0.0f, 0.0f};
  std::snprintf(text, sizeof text, "frame %d (%.2f s), level %d, player at (%.2f, %.2f) moving (%.2f, %.2f)%s",
                frame_, Time(), Level(), static_cast<double>(at.x), static_cast<double>(at.y),
                static_cast<double>(v.x), static_cast<double>(v.y), Player() ? "" : " (no player)");
  return text;
}

}  // namespace Framework
