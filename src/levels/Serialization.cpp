#include "levels/Serialization.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <json/reader.h>
#include <json/writer.h>

#include "engine/Engine.h"
#include "engine/Events.h"
#include "levels/BlockReader.h"
#include "levels/ComponentTable.h"
#include "levels/SaveLocation.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Physics.h"

namespace Framework {

namespace {

constexpr float kTitleSeconds = 3.0f;
constexpr float kNoticeSeconds = 0.5f;
constexpr int kNumberedLevels = 8;
const Color3 kTextColor{1.0f, 1.0f, 0.37647f};

// The JSON library's messages span several lines; ours stay on one.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  // Trailing spaces and the library's closing full stop would sit oddly before "; entry skipped".
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  return text;
}

class SerializationListener : public Listener {
 public:
  explicit SerializationListener(Serialization* owner) : owner_(owner) {}
  void OnEvent(Event* event) override {
    if (event->Type != EventType::Serialization) return;
    auto& request = static_cast<SerializationEvent&>(*event);
    owner_->Execute(request.Command, std::string(request.FileName));
  }

 private:
  Serialization* owner_;
};

void PostText(std::string text, float size, float x, float y) {
  auto event = std::make_unique<GraphicsEvent>();
  event->Command = 0;
  event->Text = std::move(text);
  event->Size = size;
  event->X = x;
  event->Y = y;
  event->Lifetime = 0.0f;
  event->Color = kTextColor;
  EventSystem::Instance().Post(std::move(event));
}

// Pushes the file's content from the system's caches to the disk, so that the
// rename never publishes a file whose data a power cut could still lose.
bool SyncToDisk(const std::filesystem::path& path) {
#if defined(__unix__) || defined(__APPLE__)
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
#else
  (void)path;
  return true;
#endif
}

}  // namespace

Serialization& Serialization::Instance() {
  // The destructor unsubscribes from the EventSystem; loads and saves reach the
  // Factory, Physics and the Engine: all of them must outlive this system.
  EventSystem::Instance();
  Factory::Instance();
  Physics::Instance();
  Engine::Instance();
  static Serialization instance;
  return instance;
}

Serialization::Serialization() {
  for (int slot = 0; slot < kLevelSlotCount; ++slot) {
    LevelFiles[static_cast<std::size_t>(slot)] = "saves/Save" + std::to_string(slot) + ".json";
  }
  AutosavePath = AutosaveFilePath(&ProcessEnvironment).string();
}

Serialization::~Serialization() = default;

void Serialization::Initialize() {
  if (!listener_) {
    listener_ = Subscription(EventType::Serialization, std::make_unique<SerializationListener>(this));
  }
  Load(LevelFiles[0]);
}

// Loading ---------------------------------------------------------------------

void Serialization::Load(const std::string& fileName) {
  Factory::Instance().DestroyAll();
  if (Hooks.ClearParticles) Hooks.ClearParticles();
  if (fileName == AutosavePath) CurrentLevel = LastLevel;
  std::cout << (ReadFile(fileName) ? "Game loaded\n" : "Failed to load\n");
  // After a failed read Root still holds the previous document: the world just
  // destroyed comes back rather than leaving the player in an empty one.
  BuildWorld();
  if (LastLevel != CurrentLevel && CurrentLevel != kCreditsLevel) LastLevel = CurrentLevel;
  LevelTitleTimer = 0.0f;
}

bool Serialization::ReadFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    std::cout << "Could not open " << fileName << "\n";
    return false;
  }
  // Default reader settings: comments allowed, the last of a repeated key wins,
  // text after the root value ignored.
  Json::CharReaderBuilder builder;
  Json::Value document;
  std::string errors;
  bool parsed = false;
  try {
    parsed = Json::parseFromStream(builder, in, &document, &errors);
  } catch (const Json::Exception& e) {
    // Nesting past the reader's depth limit is thrown, not returned.
    errors = e.what();
  }
  if (!parsed) {
    std::cout << "Could not parse " << fileName << ": " << OneLine(errors) << "\n";
    return false;
  }
  if (!document.isObject()) {
    std::cout << "Could not parse " << fileName << ": the root value is not an object\n";
    return false;
  }
  Root = std::move(document);
  rootSource_ = fileName;
  return true;
}

void Serialization::BuildWorld() {
  // A copy: building runs component code, which must not be able to pull the
  // document out from under the walk.
  // Read through a const view: the mutable lookup would add missing members to Root.
  const Json::Value& root = Root;
  Json::Value objects;
  try {
    objects = root["Factory"]["Game_Objects"];
  } catch (const Json::Exception& e) {
    std::cout << "Level file " << rootSource_ << ": key \"Factory.Game_Objects\": " << OneLine(e.what())
              << "; no objects built\n";
  }
  if (objects.isArray()) {
    for (Json::ArrayIndex i = 0; i < objects.size(); ++i) BuildEntry(objects[i], "[" + std::to_string(i) + "]");
  } else if (objects.isObject()) {
    // Members come out in byte-wise key order: "Object #10" before "Object #2".
    for (auto it = objects.begin(); it != objects.end(); ++it) BuildEntry(*it, it.name());
  }

  float gravity = 0.0f;
  if (root.isObject()) {
    BlockReader physics(root["Physics"], "Physics");
    gravity = physics.Float("Gravity");
    if (physics.Failed()) {
      std::cout << "Level file " << rootSource_ << ": key \"" << physics.FailedKey()
                << "\": " << OneLine(physics.FailureReason()) << "; gravity set to 0\n";
      gravity = 0.0f;
    }
  }
  Physics::Instance().Gravity = gravity;
}

void Serialization::BuildEntry(const Json::Value& entry, const std::string& entryName) {
  // Every block is read before anything is built, so a broken entry is skipped
  // whole instead of leaving a half-made object in the world.
  std::vector<std::pair<const ComponentRow*, ComponentApplier>> steps;
  for (const ComponentRow& row : ComponentRows()) {
    const std::string key(row.Key);
    bool present = false;
    try {
      present = entry.isMember(key);
    } catch (const Json::Exception& e) {
      std::cout << "Level file " << rootSource_ << ": entry \"" << entryName << "\" is not an object: "
                << OneLine(e.what()) << "; entry skipped\n";
      return;
    }
    if (!present) continue;
    ComponentApplier apply;
    if (row.Fields) {
      BlockReader block(entry[key], key);
      apply = row.Fields->Read(block);
      if (block.Failed()) {
        std::cout << "Level file " << rootSource_ << ": entry \"" << entryName << "\", key \"" << block.FailedKey()
                  << "\": " << OneLine(block.FailureReason()) << "; entry skipped\n";
        return;
      }
    }
    steps.emplace_back(&row, std::move(apply));
  }

  FactoryEvent event;
  event.Command = 13;
  EventSystem::Instance().Send(event);
  if (!event.Object) return;  // no Factory listening: nothing can be built
  for (auto& [row, apply] : steps) {
    event.Command = row->Command;
    event.Callback = nullptr;
    if (apply) {
      event.Callback = [apply = std::move(apply)](GameObject* object) {
        if (object) apply(*object);
      };
    }
    EventSystem::Instance().Send(event);
  }
}

// Saving ----------------------------------------------------------------------

bool Serialization::Save(const std::string& fileName) {
  WriteWorld();
  rootSource_ = fileName;
  const bool saved = WriteFile(fileName);
  std::cout << (saved ? "Game saved\n\n" : "Failed to save\n\n");
  return saved;
}

void Serialization::WriteWorld() {
  Root = Json::Value(Json::objectValue);
  Root["Physics"]["Gravity"] = static_cast<double>(Physics::Instance().Gravity);
  Json::Value entries(Json::objectValue);
  int counter = 0;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (!object) continue;
    Json::Value entry(Json::objectValue);
    entry["Name"] = object->Name;
    for (const auto& [typeId, component] : object->Components) {
      if (!component) continue;
      const ComponentRow* row = FindComponentRow(component->Name);
      if (!row) continue;  // bombs, fireflies and other live-only components
      entry[std::string(row->Key)] = row->Fields ? row->Fields->Write(*component) : Json::Value("");
    }
    entries["Object #" + std::to_string(++counter)] = std::move(entry);
  }
  Root["Factory"]["Game_Objects"] = std::move(entries);
}

bool Serialization::WriteFile(const std::string& fileName) {
  const std::string text = Json::writeString(Json::StreamWriterBuilder(), Root);
  // The autosave is replaced only by a complete file: the text goes to a
  // temporary file beside it, which is renamed over it once fully written. A
  // failure at any point leaves the previous save as it was.
  const std::filesystem::path target(fileName);
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  std::error_code ignored;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      std::cout << "Could not open " << fileName << "\n";
      return false;
    }
    bool written = WriteText ? WriteText(out, text) : static_cast<bool>(out.write(text.data(),
                                                                                    static_cast<std::streamsize>(text.size())));
    out.flush();
    written = written && out.good();
    out.close();
    if (!written || out.fail()) {
      std::cout << "Could not write " << fileName << "\n";
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  if (!SyncToDisk(temporary)) {
    std::cout << "Could not write " << fileName << "\n";
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, target, renameError);
  if (renameError) {
    std::cout << "Could not replace " << fileName << ": " << renameError.message() << "\n";
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}

std::string Serialization::GetLevelFile(int slot) const {
  if (slot < 0 || slot >= kLevelSlotCount) {
    std::cout << "No level slot " << slot << ": slots are 0 to " << kLevelSlotCount - 1 << "\n";
    return {};
  }
  return LevelFiles[static_cast<std::size_t>(slot)];
}

// Progression -----------------------------------------------------------------

void Serialization::Execute(std::int32_t command, const std::string& fileName) {
  switch (command) {
    case SerializationCommand::SaveGame: Save(fileName); break;
    case SerializationCommand::LoadGame: Load(fileName); break;
    case SerializationCommand::Checkpoint: Checkpoint(); break;
    case SerializationCommand::RestartOrContinue: RestartOrContinue(); break;
    case SerializationCommand::NextLevel: NextLevel(); break;
    case SerializationCommand::PreviousLevel: PreviousLevel(); break;
    case SerializationCommand::NewGame: NewGame(); break;
    case SerializationCommand::EnterMainMenu: EnterMainMenu(); break;
    case SerializationCommand::ShowCredits: ShowCredits(); break;
    default: break;  // not a command: nothing to do
  }
}

bool Serialization::LoadSlot(std::int64_t slot, const char* command) {
  if (slot < 0 || slot >= kLevelSlotCount) {
    std::cout << command << " refused: slot " << slot << " is outside the level slots 0 to " << kLevelSlotCount - 1
              << "\n";
    return false;
  }
  CurrentLevel = static_cast<std::int32_t>(slot);
  Load(LevelFiles[static_cast<std::size_t>(slot)]);
  return true;
}

void Serialization::Checkpoint() {
  if (!InPlayLevel()) return;
  // The notice tells the player the game is saved; a failed save must not claim it.
  if (Save(AutosavePath)) ShowCheckpoint = true;
}

void Serialization::RestartOrContinue() {
  if (CurrentLevel < kFirstPlayLevel) {
    // Continue: back to the level the player left for the credits or the menu.
    Load(AutosavePath);
    if (Hooks.OpenPauseMenu) Hooks.OpenPauseMenu();
    Engine::Instance().Paused = true;
    return;
  }
  if (!LoadSlot(CurrentLevel, "RestartOrContinue")) return;
  if (InPlayLevel()) ShowTryAgain = true;
}

void Serialization::NextLevel() { LoadSlot(std::int64_t{CurrentLevel} + 1, "NextLevel"); }

void Serialization::PreviousLevel() { LoadSlot(std::int64_t{CurrentLevel} - 1, "PreviousLevel"); }

void Serialization::NewGame() { LoadSlot(kFirstPlayLevel, "NewGame"); }

void Serialization::EnterMainMenu() {
  if (!MusicStarted) {
    auto music = std::make_unique<AudioEvent>();
    music->Command = 1;  // play on the music group
    music->Loop = true;
    music->SoundName = "bgm_looped.ogg";
    EventSystem::Instance().Post(std::move(music));
    MusicStarted = true;
  }
  LoadSlot(kMainMenuLevel, "EnterMainMenu");
  Engine::Instance().Paused = true;
  // The menu system shows the main menu and returns to it (SetMenu, ReturnMenu, PlaceMenu).
  if (Hooks.OpenMainMenu) Hooks.OpenMainMenu();
}

void Serialization::ShowCredits() {
  Factory& factory = Factory::Instance();
  if (!factory.Player) {
    LoadSlot(kCreditsLevel, "ShowCredits");
    return;
  }
  // Gameplay restores the player's scale and queues bombs and fireflies; they are
  // destroyed at once so that none of them is in the autosave.
  if (Hooks.PrepareCreditsSave) Hooks.PrepareCreditsSave();
  factory.Update(0.0f, false);
  if (InPlayLevel()) Save(AutosavePath);
  ShowCheckpoint = false;
  LoadSlot(kCreditsLevel, "ShowCredits");
}

// Per frame -------------------------------------------------------------------

CameraView Serialization::Camera() const { return Hooks.Camera ? Hooks.Camera() : CameraView{}; }

void Serialization::Update(float dt, bool) {
  const CameraView camera = Camera();
  if (InPlayLevel()) {
    LevelTitleTimer += dt;
    if (LevelTitleTimer <= kTitleSeconds) {
      PostText("Level " + std::to_string(CurrentLevel - (kFirstPlayLevel - 1)) + " out of " +
                   std::to_string(kNumberedLevels),
               12.0f, camera.Position.x - camera.ViewHalfWidth / 4.5f,
               camera.ViewHalfHeight * 0.5f + camera.Position.y - 4.0f);
    }
  }
  if (ShowCheckpoint || ShowTryAgain) {
    MessageTimer += dt;
    if (MessageTimer <= kNoticeSeconds) {
      if (ShowCheckpoint) {
        PostText("Checkpoint reached", 9.0f, camera.Position.x - camera.ViewHalfWidth / 5.5f, camera.Position.y);
      } else {
        PostText("Try again", 9.0f, camera.Position.x - camera.ViewHalfWidth / 10.0f, camera.Position.y);
      }
    } else {
      MessageTimer = 0.0f;
      ShowCheckpoint = false;
      ShowTryAgain = false;
    }
  }
}

}  // namespace Framework
