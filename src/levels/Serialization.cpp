#include "levels/Serialization.h"

#include <cstdint>
#include <iostream>
#include <memory>
#include <utility>
#include <vector>

#include "engine/Engine.h"
#include "engine/EventListener.h"
#include "engine/Events.h"
#include "levels/BlockReader.h"
#include "levels/ComponentTable.h"
#include "levels/LevelFields.h"
#include "levels/LevelNotices.h"
#include "levels/SaveLocation.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Physics.h"

namespace Framework {

namespace {

using SerializationListener = EventListener<&Serialization::OnSerializationEvent>;

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
    listener_ = Listen<SerializationListener>(this);
  }
  Load(LevelFiles[LevelSlot::FirstSplash]);
}

// Loading ---------------------------------------------------------------------

bool Serialization::Load(const std::string& fileName) {
  Factory::Instance().DestroyAll();
  if (Hooks.ClearParticles) Hooks.ClearParticles();
  if (fileName == AutosavePath) CurrentLevel = LastLevel;
  const bool read = ReadFile(fileName);
  std::cout << (read ? "Game loaded\n" : "Failed to load\n");
  // After a failed read Root still holds the previous document: the world just
  // destroyed comes back rather than leaving the player in an empty one.
  BuildWorld();
  if (LastLevel != CurrentLevel && CurrentLevel != LevelSlot::Credits) LastLevel = CurrentLevel;
  LevelTitleTimer = 0.0f;
  const bool changed = CurrentLevel != builtLevel_ || fileName == AutosavePath;
  builtLevel_ = CurrentLevel;
  if (changed && Hooks.LevelChanged) Hooks.LevelChanged();
  if (changed) {
    Playtest.Entered();
  } else {
    Playtest.StartedOver();
  }
  // Entering a slot whose file is gone or broken must not leave the player on a
  // screen that never moves on (a reload of the same slot keeps the world instead).
  if (!read && changed && IsValidSlot(CurrentLevel) && fileName == LevelFiles[static_cast<std::size_t>(CurrentLevel)]) {
    progression_.SlotUnreadable(CurrentLevel);
  }
  return read;
}

bool Serialization::ReadFile(const std::string& fileName) {
  if (!JsonFile::Read(fileName, Root)) return false;
  rootSource_ = fileName;
  return true;
}

void Serialization::BuildWorld() {
  // A copy: building runs component code, which must not be able to pull the
  // document out from under the walk.
  // Read through a const view: the mutable lookup would add missing members to Root.
  const Json::Value& root = Root;
  EntryNames.clear();
  ++WorldsBuilt;
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

GameObject* Serialization::BuildEntry(const Json::Value& entry, const std::string& entryName) {
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
      return nullptr;
    }
    if (!present) continue;
    ComponentApplier apply;
    if (row.Fields) {
      BlockReader block(entry[key], key);
      apply = row.Fields->Read(block);
      if (block.Failed()) {
        std::cout << "Level file " << rootSource_ << ": entry \"" << entryName << "\", key \"" << block.FailedKey()
                  << "\": " << OneLine(block.FailureReason()) << "; entry skipped\n";
        return nullptr;
      }
    }
    steps.emplace_back(&row, std::move(apply));
  }

  FactoryEvent event;
  event.Command = FactoryCommand::CreateObject;
  EventSystem::Instance().Send(event);
  if (!event.Object) return nullptr;  // no Factory listening: nothing can be built
  GameObject* object = event.Object;
  EntryNames[object->Id] = entry.isObject() && entry["Name"].isString() ? entry["Name"].asString() : std::string();
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
  return object;
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
  Root["Physics"]["Gravity"] = Plain<float>().Write(Physics::Instance().Gravity);
  Json::Value entries(Json::objectValue);
  int counter = 0;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    if (!object || (Hooks.PlayOnly && Hooks.PlayOnly(*object))) continue;
    entries["Object #" + std::to_string(++counter)] = WriteEntry(*object);
  }
  Root["Factory"]["Game_Objects"] = std::move(entries);
}

Json::Value Serialization::WriteEntry(const GameObject& object) const {
  Json::Value entry(Json::objectValue);
  entry["Name"] = object.Name;
  for (const auto& [typeId, component] : object.Components) {
    if (!component) continue;
    const ComponentRow* row = FindComponentRow(component->Name);
    if (!row) continue;  // bombs, fireflies and other live-only components
    entry[std::string(row->Key)] = row->Fields ? row->Fields->Write(*component) : Json::Value("");
  }
  return entry;
}

Json::Value Serialization::WriteLevel(const std::vector<const GameObject*>& objects) const {
  Json::Value level(Json::objectValue);
  level["Physics"]["Gravity"] = Plain<float>().Write(Physics::Instance().Gravity);
  Json::Value entries(Json::arrayValue);
  for (const GameObject* object : objects) {
    if (object) entries.append(WriteEntry(*object));
  }
  level["Factory"]["Game_Objects"] = std::move(entries);
  return level;
}

bool Serialization::WriteFile(const std::string& fileName) { return JsonFile::Write(fileName, Root, WriteText); }

std::string Serialization::GetLevelFile(int slot) const {
  if (!IsValidSlot(slot)) {
    std::cout << "No level slot " << slot << ": slots are 0 to " << kLevelSlotCount - 1 << "\n";
    return {};
  }
  return LevelFiles[static_cast<std::size_t>(slot)];
}

// Per frame -------------------------------------------------------------------

void Serialization::Update(float dt, bool paused) {
  if (!paused && IsPlayLevel(CurrentLevel)) Playtest.Advance(dt);
  LevelNotices::Update(*this, dt);
}

}  // namespace Framework
