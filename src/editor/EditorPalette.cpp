#include "editor/EditorPalette.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "editor/EditorDocument.h"
#include "engine/Commands.h"
#include "engine/Events.h"
#include "levels/JsonFile.h"
#include "levels/LevelFields.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/FactoryTable.h"
#include "objects/GameObject.h"

namespace Framework {

namespace {

// An archetype leaves its size and depth to whoever builds it: placed, it takes one
// grid cell at the depth the shipped levels lay their ground in.
constexpr Vec2 kArchetypeSize{1.0f, 1.0f};
constexpr float kArchetypeDepth = 0.5f;

const Color3 kHeading{1.0f, 0.9f, 0.3f};
const Color3 kEntry{1.0f, 1.0f, 1.0f};

// The archetype built in the live world and written back as a level entry; the
// object, and whatever its components made, is gone again afterwards.
std::optional<Json::Value> ArchetypeTemplate(std::int32_t command) {
  Factory& factory = Factory::Instance();
  // Building the player archetype takes the Factory's Player over.
  GameObject* const player = factory.Player;
  const std::uint32_t lastId = factory.NextId;
  GameObject* built = nullptr;
  FactoryEvent event;
  event.Command = command;
  event.Callback = [&built](GameObject* object) { built = object; };
  factory.Execute(event);
  std::optional<Json::Value> entry;
  if (built != nullptr) {
    entry = Serialization::Instance().WriteEntry(*built);
    (*entry)["Transform"]["Scale"] = Plain<Vec2>().Write(kArchetypeSize);
    (*entry)["Transform"]["ZLayer"] = Plain<float>().Write(kArchetypeDepth);
  }
  for (std::uint32_t id = lastId + 1; id <= factory.NextId; ++id) factory.Destroy(id);
  factory.Player = player;
  return entry;
}

bool IsScenery(const Json::Value& entry) {
  for (const std::string& key : entry.getMemberNames()) {
    if (key != "Name" && key != "Transform" && key != "Sprite") return false;
  }
  return entry.isMember("Sprite");
}

std::string TextureOf(const Json::Value& entry) {
  const Json::Value& sprite = entry["Sprite"];
  return sprite.isObject() && sprite["Filename"].isString() ? sprite["Filename"].asString() : std::string();
}

}  // namespace

std::string EditorPalette::KindOf(const Json::Value& entry) {
  if (!entry.isObject()) return {};
  if (IsScenery(entry)) return "Sprite:" + TextureOf(entry);
  std::string kind;
  for (const std::string& key : entry.getMemberNames()) {
    if (key != "Name" && key != "Transform") kind += (kind.empty() ? "" : "+") + key;
  }
  return kind;
}

void EditorPalette::Collect(const std::vector<std::string>& levelFiles) {
  if (collected_) return;
  collected_ = true;
  for (std::int32_t command = 0; command <= FactoryCommand::LastArchetype; ++command) {
    const Archetype* archetype = FindArchetype(command);
    if (archetype == nullptr) continue;
    if (std::optional<Json::Value> entry = ArchetypeTemplate(command)) {
      entries_.push_back({kArchetypes, std::string(archetype->Name), std::move(*entry)});
    }
  }
  // Kinds in the order the levels first use them; scenery by texture name.
  std::vector<Entry> objects;
  std::map<std::string, Entry> scenery;
  std::set<std::string> seen;
  for (const std::string& file : levelFiles) {
    std::error_code error;
    Json::Value level;
    if (!std::filesystem::is_regular_file(file, error) || !JsonFile::Read(file, level)) continue;
    Json::Value list;
    try {
      list = std::as_const(level)["Factory"]["Game_Objects"];
    } catch (const Json::Exception&) {
      continue;  // the loader says what is wrong with the file when it is played
    }
    if (!list.isArray() && !list.isObject()) continue;
    for (const Json::Value& entry : list) {
      const std::string kind = KindOf(entry);
      if (kind.empty() || !seen.insert(kind).second) continue;
      if (IsScenery(entry)) {
        const std::string texture = TextureOf(entry);
        scenery[texture] = {kScenery, texture.empty() ? "(plain colour)" : texture, entry};
      } else {
        const std::string name = entry["Name"].isString() ? entry["Name"].asString() : std::string();
        objects.push_back({kObjects, name.empty() ? kind : name, entry});
      }
    }
  }
  entries_.insert(entries_.end(), objects.begin(), objects.end());
  for (auto& [texture, entry] : scenery) entries_.push_back(std::move(entry));
}

std::vector<std::string> EditorPalette::GameLevelFiles() {
  const Serialization& levels = Serialization::Instance();
  std::vector<std::string> files;
  for (std::int32_t slot = LevelSlot::FirstPlay; slot < LevelSlot::Count; ++slot) {
    if (IsGameLevel(slot)) files.push_back(levels.LevelFiles[static_cast<std::size_t>(slot)]);
  }
  return files;
}

std::optional<std::size_t> EditorPalette::Find(const std::string& group, const std::string& label) const {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& entry) { return entry.Group == group && entry.Label == label; });
  if (it == entries_.end()) return std::nullopt;
  return static_cast<std::size_t>(it - entries_.begin());
}

bool EditorPalette::PlaceChosen(EditorDocument& document, Vec2 at, bool snap) const {
  if (!Chosen || *Chosen >= entries_.size()) return false;
  return document.Place(entries_[*Chosen].Template, at, snap);
}

// The panel ---------------------------------------------------------------------------

std::vector<std::optional<std::size_t>> EditorPalette::LineEntries() const {
  std::vector<std::optional<std::size_t>> lines;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (i == 0 || entries_[i].Group != entries_[i - 1].Group) lines.push_back(std::nullopt);
    lines.push_back(i);
  }
  return lines;
}

std::vector<EditorPanel::Line> EditorPalette::Lines() const {
  std::vector<EditorPanel::Line> lines;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (i == 0 || entries_[i].Group != entries_[i - 1].Group) lines.push_back({entries_[i].Group, kHeading, false});
    lines.push_back({" " + entries_[i].Label, kEntry, Chosen == i});
  }
  return lines;
}

bool EditorPalette::Covers(const Camera& view, Vec2 world) const {
  return Shown && panel_.Covers(view, LineEntries().size(), world);
}

bool EditorPalette::Click(const Camera& view, Vec2 world) {
  if (!Covers(view, world)) return false;
  const std::vector<std::optional<std::size_t>> lines = LineEntries();
  const std::optional<std::size_t> line = panel_.LineAt(view, lines.size(), world);
  if (line && lines[*line]) Chosen = Chosen == lines[*line] ? std::nullopt : lines[*line];
  return true;
}

bool EditorPalette::Scroll(const Camera& view, Vec2 world, float notches) {
  if (!Covers(view, world)) return false;
  panel_.Scroll(view, LineEntries().size(), notches);
  return true;
}

void EditorPalette::Draw(Graphics& graphics) const {
  if (Shown) panel_.Draw(graphics, Lines());
}

}  // namespace Framework
