// EditorDocument: the level editor's model over the live world. It names the
// Factory's objects by handles that survive undo, keeps their order (the order a
// saved level lists them in), the selection, and the history of EditCommands.
// Every edit is made on level entries written and read through the component
// field lists, then the touched objects are built again from them, so an edited
// object is exactly what loading the saved level would give.
//
// Invariants: every handle in the order names a live object of the Factory and
// appears once; the selection holds only handles of the order, each once; the
// commands before the history position are applied and those after it are undone;
// the world after an undo holds the same entries as before the step.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <json/value.h>

#include "editor/EditCommand.h"
#include "engine/Vec2.h"

namespace Framework {

class GameObject;

class EditorDocument {
 public:
  // One world unit: the shipped levels are laid out on whole units.
  static constexpr float kDefaultGrid = 1.0f;

  // The depth bands a level is laid out in (smaller ZLayer is nearer). The play
  // band runs from the player, the nearest thing a level holds in play, to the
  // exit, the farthest; scenery lies behind it, and anything in front of the
  // player is foreground.
  enum class Band { Foreground, Play, Background };
  static constexpr std::size_t kBands = 3;
  static constexpr float kPlayNearest = 0.1f;
  static constexpr float kPlayFarthest = 0.7f;
  static Band BandOf(float zLayer);

  // Takes the objects of the world that were built from the level's entries, in
  // creation order, as the document (what play made, a bomb, a firefly, is no part
  // of the level); they get back the names their entries gave them. The selection
  // and the history start empty.
  void Open();

  // Null for a handle that names nothing now.
  GameObject* Object(EditorHandle handle) const;
  const std::vector<EditorHandle>& Order() const { return order_; }
  // The objects in document order, as a level writer takes them.
  std::vector<const GameObject*> Objects() const;

  // Hiding bands: a hidden object can be neither picked nor kept in the selection.
  void ShowBand(Band band, bool shown);
  bool BandShown(Band band) const { return shown_[static_cast<std::size_t>(band)]; }
  void ShowAllBands();
  // Whether something at this depth (or this object) is in a shown band.
  bool Shown(float zLayer) const { return BandShown(BandOf(zLayer)); }
  bool Shown(EditorHandle handle) const;

  // Selecting ---------------------------------------------------------------------
  const std::vector<EditorHandle>& Selection() const { return selection_; }
  bool IsSelected(EditorHandle handle) const;
  // The nearest object whose box holds the point (smallest ZLayer, then the
  // smallest box, then the one listed last); none over empty space.
  std::optional<EditorHandle> HandleAt(Vec2 point) const;
  // A click: the object under the point becomes the selection; `add` toggles it
  // in the selection instead. A click on nothing clears it unless `add`.
  void SelectAt(Vec2 point, bool add);
  // Every object whose box lies wholly inside the rectangle between two corners.
  void SelectBox(Vec2 corner, Vec2 otherCorner, bool add);
  void Select(std::vector<EditorHandle> handles);

  // Commands: each is one undoable step, and false (no step) when it changes nothing.
  // Moves the selection; with `snap` each object's lower left corner lands on the grid.
  bool Move(Vec2 delta, bool snap);
  // A drag shows the move at once on the Transforms and becomes one step on release.
  void BeginDrag();
  void DragBy(Vec2 delta, bool snap);
  bool EndDrag();
  bool Dragging() const { return !dragStart_.empty(); }
  // Gives the object the box between two corners (position and scale).
  bool Resize(EditorHandle handle, Vec2 corner, Vec2 otherCorner);
  bool Delete();
  // Copies of the selection, `offset` away; the copies become the selection.
  bool Duplicate(Vec2 offset);
  // Level-format text (a whole level, an array of entries or one entry) added as new
  // objects, centred on `at` when given; they become the selection.
  bool Paste(const std::string& text, std::optional<Vec2> at = std::nullopt);
  // The selection as level-format text, which Paste takes back.
  std::string Copy() const;
  // A new object from one level entry (a palette's template), centred on `at`; with
  // `snap` its lower left corner lands on the grid, as a move would put it. It
  // becomes the selection.
  bool Place(const Json::Value& entry, Vec2 at, bool snap);
  // One value of a level entry, by its dotted path ("Body.Friction.X"). Only a
  // member the object's field lists write can be set, and only to a value they read.
  bool SetProperty(EditorHandle handle, const std::string& path, const Json::Value& value);
  // Another version of the whole level (its file changed on disk, a backup taken
  // back) as one step: objects whose entries differ are built again in their
  // places, those past the end of the new list go, and further ones are added.
  bool ReplaceLevel(const std::string& name, const Json::Value& level);

  // The whole level as it stands, handles and selection included, so that after a
  // test run the world comes back exactly and the history still applies to it.
  struct Kept {
    std::vector<EditorHandle> Order;
    std::vector<Json::Value> Entries;
    std::vector<EditorHandle> Selection;
  };
  Kept Keep() const;
  // Replaces the whole world (whatever play made included) by the kept level.
  void Restore(const Kept& kept);

  bool Undo();
  bool Redo();
  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < history_.size(); }
  // Whether the world differs from what was last saved (or opened).
  bool Modified() const { return savedAt_ != position_; }
  void MarkSaved() { savedAt_ = position_; }

  float GridSize = kDefaultGrid;

 private:
  // A level entry of the object as it is now.
  Json::Value Snapshot(EditorHandle handle) const;
  // Builds the object again from `entry` (a new one when the handle names nothing),
  // at `index` in the order; false, and nothing changed, when the entry is broken.
  bool Rebuild(EditorHandle handle, const Json::Value& entry, std::size_t index);
  void Remove(EditorHandle handle);
  std::size_t IndexOf(EditorHandle handle) const;
  // Applies one side of a command: removals first, then builds in order.
  void Apply(const EditCommand& command, bool forward);
  // Records an applied command, dropping whatever could have been redone.
  void Record(EditCommand command);
  // Edits a copy of each selected object's entry and builds the objects from them.
  bool EditSelection(const std::string& name, const std::function<void(Json::Value&)>& edit);
  // Adds new objects from entries as one step.
  bool AddEntries(const std::string& name, const std::vector<Json::Value>& entries);
  EditorHandle Bind(std::uint32_t objectId);
  Vec2 SnappedCorner(Vec2 position, Vec2 scale) const;

  std::vector<EditorHandle> order_;
  std::unordered_map<EditorHandle, std::uint32_t> ids_;
  std::vector<EditorHandle> selection_;
  std::vector<EditCommand> history_;
  std::size_t position_ = 0;
  std::size_t savedAt_ = 0;
  EditorHandle nextHandle_ = 1;
  // Where each dragged object's Transform stood when the drag began, and its entry.
  std::unordered_map<EditorHandle, Vec2> dragStart_;
  std::unordered_map<EditorHandle, Json::Value> dragBefore_;
  std::array<bool, kBands> shown_ = {true, true, true};
};

}  // namespace Framework
