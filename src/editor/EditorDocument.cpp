#include "editor/EditorDocument.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <utility>

#include <glm/common.hpp>
#include <json/reader.h>
#include <json/writer.h>

#include "gameplay/PlayerController.h"
#include "levels/JsonFile.h"
#include "levels/LevelFields.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

// A saved state no undo or redo can reach again.
constexpr std::size_t kUnreachable = std::numeric_limits<std::size_t>::max();
// What built entries are called in the loader's messages.
constexpr const char* kEntryName = "edited object";

struct Box {
  Vec2 Min;
  Vec2 Max;
};

Box BoxBetween(Vec2 a, Vec2 b) { return {glm::min(a, b), glm::max(a, b)}; }

// The box an object covers on screen, rotation included; none without a Transform.
std::optional<Box> BoxOf(const GameObject& object) {
  const Transform* t = object.GetComponent<Transform>();
  if (t == nullptr) return std::nullopt;
  const float c = std::abs(std::cos(t->Rotation));
  const float s = std::abs(std::sin(t->Rotation));
  const Vec2 half = glm::abs(t->Scale) * 0.5f;
  const Vec2 extent{half.x * c + half.y * s, half.x * s + half.y * c};
  return Box{t->Position - extent, t->Position + extent};
}

// Whether the point lies on the object's quad, rotation included.
bool Holds(const Transform& t, Vec2 point) {
  const Vec2 d = point - t.Position;
  const float c = std::cos(-t.Rotation);
  const float s = std::sin(-t.Rotation);
  const Vec2 local{d.x * c - d.y * s, d.x * s + d.y * c};
  const Vec2 half = glm::abs(t.Scale) * 0.5f;
  return half.x > 0.0f && half.y > 0.0f && std::abs(local.x) <= half.x && std::abs(local.y) <= half.y;
}

Vec2 ReadXY(const Json::Value& xy) { return {xy["X"].asFloat(), xy["Y"].asFloat()}; }

Json::Value& PositionOf(Json::Value& entry) { return entry["Transform"]["Position"]; }

bool HasTransform(const Json::Value& entry) { return entry.isObject() && entry["Transform"].isObject(); }

// Points of an entry that are places in the world, not offsets from the object: a
// moving platform's track and the box a drifting hazard bounces in. They travel
// with the object, or it would snap back to its old track when the level runs.
struct WorldPoint {
  const char* Component;
  const char* Field;
};
constexpr std::array<WorldPoint, 4> kWorldPoints = {{{"MovingPlatformScript", "Point1"},
                                                     {"MovingPlatformScript", "Point2"},
                                                     {"DynamicHazardScript", "Min"},
                                                     {"DynamicHazardScript", "Max"}}};

// Carries the object and every world point it holds by `delta`.
void Shift(Json::Value& entry, Vec2 delta) {
  if (!HasTransform(entry) || delta == Vec2{0.0f, 0.0f}) return;
  PositionOf(entry) = Plain<Vec2>().Write(ReadXY(PositionOf(entry)) + delta);
  for (const WorldPoint& point : kWorldPoints) {
    if (!entry.isMember(point.Component)) continue;
    Json::Value& block = entry[point.Component];
    if (block.isObject() && block[point.Field].isObject()) {
      block[point.Field] = Plain<Vec2>().Write(ReadXY(block[point.Field]) + delta);
    }
  }
}

// The entries of pasted text: a whole level, an array of entries, or one entry.
std::vector<Json::Value> EntriesOf(const Json::Value& root) {
  std::vector<Json::Value> entries;
  if (root.isObject() && root.isMember("Factory")) {
    const Json::Value& list = root["Factory"]["Game_Objects"];
    if (list.isArray() || list.isObject()) {
      for (const Json::Value& entry : list) entries.push_back(entry);
    }
  } else if (root.isArray()) {
    for (const Json::Value& entry : root) entries.push_back(entry);
  } else if (root.isObject()) {
    entries.push_back(root);
  }
  return entries;
}

// Whether two entries say the same, numbers compared as the floats the field
// lists read (a file's "0.85" is no change from the 0.85f an object holds).
bool SameEntry(const Json::Value& a, const Json::Value& b) {
  if (a.isNumeric() && b.isNumeric()) return a.asFloat() == b.asFloat();
  if (a.type() != b.type()) return false;
  if (a.isArray()) {
    if (a.size() != b.size()) return false;
    for (Json::ArrayIndex i = 0; i < a.size(); ++i) {
      if (!SameEntry(a[i], b[i])) return false;
    }
    return true;
  }
  if (a.isObject()) {
    if (a.getMemberNames() != b.getMemberNames()) return false;
    for (auto it = a.begin(); it != a.end(); ++it) {
      if (!SameEntry(*it, b[it.name()])) return false;
    }
    return true;
  }
  return a == b;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::stringstream in(path);
  for (std::string part; std::getline(in, part, '.');) parts.push_back(part);
  return parts;
}

}  // namespace

// Opening and reading -------------------------------------------------------------

void EditorDocument::Open() {
  order_.clear();
  ids_.clear();
  selection_.clear();
  history_.clear();
  position_ = savedAt_ = 0;
  dragStart_.clear();
  dragBefore_.clear();
  const auto& names = Serialization::Instance().EntryNames;
  for (const auto& [id, object] : Factory::Instance().Objects) {
    auto name = names.find(id);
    if (!object || name == names.end()) continue;
    if (object->Name.empty()) object->Name = name->second;
    order_.push_back(Bind(id));
  }
}

EditorHandle EditorDocument::Bind(std::uint32_t objectId) {
  const EditorHandle handle = nextHandle_++;
  ids_[handle] = objectId;
  return handle;
}

GameObject* EditorDocument::Object(EditorHandle handle) const {
  auto it = ids_.find(handle);
  return it == ids_.end() ? nullptr : Factory::Instance().Find(it->second);
}

std::vector<const GameObject*> EditorDocument::Objects() const {
  std::vector<const GameObject*> objects;
  objects.reserve(order_.size());
  for (EditorHandle handle : order_) objects.push_back(Object(handle));
  return objects;
}

std::size_t EditorDocument::IndexOf(EditorHandle handle) const {
  return static_cast<std::size_t>(std::find(order_.begin(), order_.end(), handle) - order_.begin());
}

Json::Value EditorDocument::Snapshot(EditorHandle handle) const {
  const GameObject* object = Object(handle);
  return object ? Serialization::Instance().WriteEntry(*object) : Json::Value(Json::objectValue);
}

// Bands ------------------------------------------------------------------------------

EditorDocument::Band EditorDocument::BandOf(float zLayer) {
  if (zLayer < kPlayNearest) return Band::Foreground;
  return zLayer > kPlayFarthest ? Band::Background : Band::Play;
}

void EditorDocument::ShowBand(Band band, bool shown) {
  shown_[static_cast<std::size_t>(band)] = shown;
  // Kept selected, a hidden object would still be moved or deleted, unseen.
  Select(selection_);
}

void EditorDocument::ShowAllBands() { shown_.fill(true); }

bool EditorDocument::Shown(EditorHandle handle) const {
  const GameObject* object = Object(handle);
  const Transform* t = object ? object->GetComponent<Transform>() : nullptr;
  return t == nullptr || Shown(t->ZLayer);
}

// Selecting ------------------------------------------------------------------------

bool EditorDocument::IsSelected(EditorHandle handle) const {
  return std::find(selection_.begin(), selection_.end(), handle) != selection_.end();
}

std::optional<EditorHandle> EditorDocument::HandleAt(Vec2 point) const {
  std::optional<EditorHandle> best;
  float bestDepth = 0.0f;
  float bestArea = 0.0f;
  for (EditorHandle handle : order_) {
    const GameObject* object = Object(handle);
    const Transform* t = object ? object->GetComponent<Transform>() : nullptr;
    if (t == nullptr || !Shown(t->ZLayer) || !Holds(*t, point)) continue;
    const float area = std::abs(t->Scale.x * t->Scale.y);
    const bool nearer = t->ZLayer < bestDepth || (t->ZLayer == bestDepth && area <= bestArea);
    if (!best || nearer) {
      best = handle;
      bestDepth = t->ZLayer;
      bestArea = area;
    }
  }
  return best;
}

void EditorDocument::SelectAt(Vec2 point, bool add) {
  const std::optional<EditorHandle> hit = HandleAt(point);
  if (!add) {
    selection_.clear();
    if (hit) selection_.push_back(*hit);
    return;
  }
  if (!hit) return;
  auto it = std::find(selection_.begin(), selection_.end(), *hit);
  if (it == selection_.end()) {
    selection_.push_back(*hit);
  } else {
    selection_.erase(it);
  }
}

void EditorDocument::SelectBox(Vec2 corner, Vec2 otherCorner, bool add) {
  const Box area = BoxBetween(corner, otherCorner);
  if (!add) selection_.clear();
  for (EditorHandle handle : order_) {
    const GameObject* object = Object(handle);
    const std::optional<Box> box = object ? BoxOf(*object) : std::nullopt;
    if (!box || IsSelected(handle) || !Shown(handle)) continue;
    if (box->Min.x >= area.Min.x && box->Min.y >= area.Min.y && box->Max.x <= area.Max.x &&
        box->Max.y <= area.Max.y) {
      selection_.push_back(handle);
    }
  }
}

void EditorDocument::Select(std::vector<EditorHandle> handles) {
  selection_.clear();
  for (EditorHandle handle : handles) {
    if (ids_.count(handle) != 0 && !IsSelected(handle) && Shown(handle)) selection_.push_back(handle);
  }
}

// Building objects again ------------------------------------------------------------

bool EditorDocument::Rebuild(EditorHandle handle, const Json::Value& entry, std::size_t index) {
  Factory& factory = Factory::Instance();
  const std::uint32_t lastId = factory.NextId;
  GameObject* built = Serialization::Instance().BuildEntry(entry, kEntryName);
  if (built == nullptr) return false;
  // What its components make while being built (the player's fireflies) the world
  // already holds from when the level was loaded: an edit must not add more.
  for (std::uint32_t id = lastId + 1; id <= factory.NextId; ++id) {
    if (id != built->Id) factory.Destroy(id);
  }
  if (entry.isObject() && entry["Name"].isString()) built->Name = entry["Name"].asString();
  // Built first, the old one destroyed after: a broken entry leaves the world as it was.
  auto it = ids_.find(handle);
  if (it != ids_.end()) {
    factory.Destroy(it->second);
    it->second = built->Id;
  } else {
    ids_[handle] = built->Id;
    order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(std::min(index, order_.size())), handle);
  }
  return true;
}

void EditorDocument::Remove(EditorHandle handle) {
  auto it = ids_.find(handle);
  if (it == ids_.end()) return;
  Factory& factory = Factory::Instance();
  factory.Destroy(it->second);
  // A second player, placed and taken away again, leaves the Factory without one
  // while the level's own still stands: that one is the player again.
  if (factory.Player == nullptr) {
    for (const auto& [id, object] : factory.Objects) {
      if (object && object->GetComponent<PlayerController>() != nullptr) factory.Player = object.get();
    }
  }
  ids_.erase(it);
  order_.erase(std::remove(order_.begin(), order_.end(), handle), order_.end());
  selection_.erase(std::remove(selection_.begin(), selection_.end(), handle), selection_.end());
}

void EditorDocument::Apply(const EditCommand& command, bool forward) {
  std::vector<const ObjectChange*> builds;
  for (const ObjectChange& change : command.Changes) {
    const std::optional<Json::Value>& target = forward ? change.After : change.Before;
    if (target) {
      builds.push_back(&change);
    } else {
      Remove(change.Handle);
    }
  }
  // Put back in rising order, each lands on the place it had.
  std::stable_sort(builds.begin(), builds.end(),
                   [](const ObjectChange* a, const ObjectChange* b) { return a->Index < b->Index; });
  for (const ObjectChange* change : builds) {
    Rebuild(change->Handle, forward ? *change->After : *change->Before, change->Index);
  }
  Select(forward ? command.SelectionAfter : command.SelectionBefore);
}

void EditorDocument::Record(EditCommand command) {
  history_.resize(position_);
  if (savedAt_ > position_) savedAt_ = kUnreachable;
  history_.push_back(std::move(command));
  position_ = history_.size();
}

EditorDocument::Kept EditorDocument::Keep() const {
  Kept kept{order_, {}, selection_};
  kept.Entries.reserve(order_.size());
  for (EditorHandle handle : order_) kept.Entries.push_back(Snapshot(handle));
  return kept;
}

void EditorDocument::Restore(const Kept& kept) {
  Serialization& levels = Serialization::Instance();
  Factory::Instance().DestroyAll();
  if (levels.Hooks.ClearParticles) levels.Hooks.ClearParticles();
  ids_.clear();
  order_.clear();
  dragStart_.clear();
  dragBefore_.clear();
  for (std::size_t i = 0; i < kept.Order.size(); ++i) {
    // Built as a load builds them: what their components make (fireflies) comes back too.
    GameObject* built = levels.BuildEntry(kept.Entries[i], kEntryName);
    if (built == nullptr) continue;
    if (kept.Entries[i]["Name"].isString()) built->Name = kept.Entries[i]["Name"].asString();
    ids_[kept.Order[i]] = built->Id;
    order_.push_back(kept.Order[i]);
  }
  Select(kept.Selection);
}

bool EditorDocument::Undo() {
  if (!CanUndo()) return false;
  Apply(history_[--position_], false);
  return true;
}

bool EditorDocument::Redo() {
  if (!CanRedo()) return false;
  Apply(history_[position_++], true);
  return true;
}

// Commands --------------------------------------------------------------------------

bool EditorDocument::EditSelection(const std::string& name, const std::function<void(Json::Value&)>& edit) {
  EditCommand command{name, {}, selection_, selection_};
  for (EditorHandle handle : order_) {
    if (!IsSelected(handle)) continue;
    Json::Value before = Snapshot(handle);
    Json::Value after = before;
    edit(after);
    if (after == before) continue;
    command.Changes.push_back({handle, IndexOf(handle), std::move(before), std::move(after)});
  }
  if (command.Changes.empty()) return false;
  Apply(command, true);
  Record(std::move(command));
  return true;
}

Vec2 EditorDocument::SnappedCorner(Vec2 position, Vec2 scale) const {
  if (GridSize <= 0.0f) return position;
  const Vec2 half = glm::abs(scale) * 0.5f;
  const Vec2 corner = glm::round((position - half) / GridSize) * GridSize;
  return corner + half;
}

bool EditorDocument::Move(Vec2 delta, bool snap) {
  return EditSelection("Move", [&](Json::Value& entry) {
    if (!HasTransform(entry)) return;
    const Vec2 from = ReadXY(PositionOf(entry));
    Vec2 moved = from + delta;
    if (snap) moved = SnappedCorner(moved, ReadXY(entry["Transform"]["Scale"]));
    Shift(entry, moved - from);
  });
}

void EditorDocument::BeginDrag() {
  dragStart_.clear();
  dragBefore_.clear();
  for (EditorHandle handle : selection_) {
    const GameObject* object = Object(handle);
    const Transform* t = object ? object->GetComponent<Transform>() : nullptr;
    if (t == nullptr) continue;
    dragStart_[handle] = t->Position;
    dragBefore_[handle] = Snapshot(handle);
  }
}

void EditorDocument::DragBy(Vec2 delta, bool snap) {
  for (const auto& [handle, start] : dragStart_) {
    GameObject* object = Object(handle);
    Transform* t = object ? object->GetComponent<Transform>() : nullptr;
    if (t == nullptr) continue;
    t->Position = snap ? SnappedCorner(start + delta, t->Scale) : start + delta;
  }
}

bool EditorDocument::EndDrag() {
  EditCommand command{"Move", {}, selection_, selection_};
  for (EditorHandle handle : order_) {
    auto before = dragBefore_.find(handle);
    if (before == dragBefore_.end()) continue;
    // Only the Transform followed the mouse: the rest of the entry moves as one.
    const GameObject* object = Object(handle);
    if (object == nullptr) continue;
    Json::Value after = before->second;
    Shift(after, object->GetComponent<Transform>()->Position - dragStart_[handle]);
    if (after == before->second) continue;
    command.Changes.push_back({handle, IndexOf(handle), std::move(before->second), std::move(after)});
  }
  dragStart_.clear();
  dragBefore_.clear();
  if (command.Changes.empty()) return false;
  // The Transforms moved alone; built again, every component agrees with them.
  Apply(command, true);
  Record(std::move(command));
  return true;
}

bool EditorDocument::Resize(EditorHandle handle, Vec2 corner, Vec2 otherCorner) {
  if (Object(handle) == nullptr) return false;
  const Box box = BoxBetween(corner, otherCorner);
  Json::Value before = Snapshot(handle);
  if (!HasTransform(before)) return false;
  Json::Value after = before;
  PositionOf(after) = Plain<Vec2>().Write((box.Min + box.Max) * 0.5f);
  after["Transform"]["Scale"] = Plain<Vec2>().Write(box.Max - box.Min);
  if (after == before) return false;
  EditCommand command{"Resize", {{handle, IndexOf(handle), std::move(before), std::move(after)}}, selection_,
                      selection_};
  Apply(command, true);
  Record(std::move(command));
  return true;
}

bool EditorDocument::Delete() {
  EditCommand command{"Delete", {}, selection_, {}};
  for (std::size_t i = 0; i < order_.size(); ++i) {
    if (IsSelected(order_[i])) command.Changes.push_back({order_[i], i, Snapshot(order_[i]), std::nullopt});
  }
  if (command.Changes.empty()) return false;
  Apply(command, true);
  Record(std::move(command));
  return true;
}

bool EditorDocument::AddEntries(const std::string& name, const std::vector<Json::Value>& entries) {
  EditCommand command{name, {}, selection_, {}};
  for (const Json::Value& entry : entries) {
    const EditorHandle handle = nextHandle_++;
    // Entries that do not build are reported by the loader and left out of the step.
    if (!Rebuild(handle, entry, order_.size())) continue;
    command.Changes.push_back({handle, order_.size() - 1, std::nullopt, entry});
    command.SelectionAfter.push_back(handle);
  }
  if (command.Changes.empty()) return false;
  Select(command.SelectionAfter);
  Record(std::move(command));
  return true;
}

bool EditorDocument::Duplicate(Vec2 offset) {
  std::vector<Json::Value> copies;
  for (EditorHandle handle : order_) {
    if (!IsSelected(handle)) continue;
    Json::Value entry = Snapshot(handle);
    Shift(entry, offset);
    copies.push_back(std::move(entry));
  }
  return AddEntries("Duplicate", copies);
}

bool EditorDocument::Paste(const std::string& text, std::optional<Vec2> at) {
  Json::Value root;
  std::string errors;
  std::istringstream in(text);
  bool parsed = false;
  try {
    parsed = Json::parseFromStream(Json::CharReaderBuilder(), in, &root, &errors);
  } catch (const Json::Exception& e) {
    errors = e.what();
  }
  if (!parsed) {
    std::cout << "Editor: the pasted text is not level JSON: " << OneLine(errors) << "\n";
    return false;
  }
  std::vector<Json::Value> entries = EntriesOf(root);
  if (at) {
    std::optional<Box> bounds;
    for (Json::Value& entry : entries) {
      if (!HasTransform(entry)) continue;
      const Vec2 p = ReadXY(PositionOf(entry));
      bounds = bounds ? Box{glm::min(bounds->Min, p), glm::max(bounds->Max, p)} : Box{p, p};
    }
    // Moved by whole grid steps, so pasted pieces keep their places on the grid.
    Vec2 shift = bounds ? *at - (bounds->Min + bounds->Max) * 0.5f : Vec2{0.0f, 0.0f};
    if (GridSize > 0.0f) shift = glm::round(shift / GridSize) * GridSize;
    for (Json::Value& entry : entries) Shift(entry, shift);
  }
  return AddEntries("Paste", entries);
}

bool EditorDocument::Place(const Json::Value& entry, Vec2 at, bool snap) {
  Json::Value placed = entry;
  if (HasTransform(placed)) {
    const Vec2 centre = snap ? SnappedCorner(at, ReadXY(placed["Transform"]["Scale"])) : at;
    Shift(placed, centre - ReadXY(PositionOf(placed)));
  }
  return AddEntries("Place", {placed});
}

std::string EditorDocument::Copy() const {
  Json::Value level(Json::objectValue);
  Json::Value entries(Json::arrayValue);
  for (EditorHandle handle : order_) {
    if (IsSelected(handle)) entries.append(Snapshot(handle));
  }
  level["Factory"]["Game_Objects"] = std::move(entries);
  return Json::writeString(Json::StreamWriterBuilder(), level);
}

bool EditorDocument::SetProperty(EditorHandle handle, const std::string& path, const Json::Value& value) {
  if (Object(handle) == nullptr) return false;
  Json::Value before = Snapshot(handle);
  Json::Value after = before;
  Json::Value* member = &after;
  for (const std::string& key : SplitPath(path)) {
    if (!member->isObject() || !member->isMember(key)) {
      std::cout << "Editor: the object has no field " << path << "\n";
      return false;
    }
    member = &(*member)[key];
  }
  if (member == &after || member->isObject()) {
    std::cout << "Editor: " << path << " is a block, not one value\n";
    return false;
  }
  *member = value;
  if (after == before) return false;
  EditCommand command{"Set " + path, {{handle, IndexOf(handle), std::move(before), after}}, selection_,
                      selection_};
  // Built before anything is recorded: a value the field list refuses changes nothing.
  if (!Rebuild(handle, after, IndexOf(handle))) return false;
  Record(std::move(command));
  return true;
}

bool EditorDocument::ReplaceLevel(const std::string& name, const Json::Value& level) {
  const std::vector<Json::Value> entries = EntriesOf(level);
  EditCommand command{name, {}, selection_, {}};
  for (std::size_t i = 0; i < order_.size(); ++i) {
    Json::Value before = Snapshot(order_[i]);
    if (i >= entries.size()) {
      command.Changes.push_back({order_[i], i, std::move(before), std::nullopt});
    } else if (!SameEntry(before, entries[i])) {
      command.Changes.push_back({order_[i], i, std::move(before), entries[i]});
    }
  }
  for (std::size_t i = order_.size(); i < entries.size(); ++i) {
    command.Changes.push_back({nextHandle_++, i, std::nullopt, entries[i]});
  }
  if (command.Changes.empty()) return false;
  for (EditorHandle handle : selection_) {
    if (IndexOf(handle) < entries.size()) command.SelectionAfter.push_back(handle);
  }
  Apply(command, true);
  Record(std::move(command));
  return true;
}

}  // namespace Framework
