// EditorPalette: what the level editor can place, shown on the left edge. Its
// entries are the Factory's archetypes, then one of each kind of object the level
// files hold (the same components), with scenery (a sprite alone) once per texture.
// Each entry is kept as a level entry, the template a placed object is built from
// through the level loader: a placed object is what a level file holding that entry
// gives, and no kind is described a second time here.
// Invariants: every template was written from a live object through the component
// field lists, or read from a level file; Chosen names an entry or nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

#include "editor/EditorPanel.h"
#include "engine/Vec2.h"

namespace Framework {

class Camera;
class EditorDocument;
class Graphics;

class EditorPalette {
 public:
  // The groups, in the order the panel lists them.
  static constexpr const char* kArchetypes = "ARCHETYPES";
  static constexpr const char* kObjects = "LEVEL OBJECTS";
  static constexpr const char* kScenery = "SCENERY";

  struct Entry {
    std::string Group;
    std::string Label;
    Json::Value Template;
  };

  // Builds each archetype once to write its template, and reads the level files
  // (those that cannot be read are left out). Only the first call does the work.
  void Collect(const std::vector<std::string>& levelFiles);
  const std::vector<Entry>& Entries() const { return entries_; }
  // The files of the game's level slots (the numbered levels and past them).
  static std::vector<std::string> GameLevelFiles();
  // The index of the entry; none when the group has no such label.
  std::optional<std::size_t> Find(const std::string& group, const std::string& label) const;
  // What objects of the same kind share: their component keys, and the texture of scenery.
  static std::string KindOf(const Json::Value& entry);

  // Places the chosen entry's object at the point, as one undoable step.
  bool PlaceChosen(EditorDocument& document, Vec2 at, bool snap) const;

  // Whether the shown panel lies under the point.
  bool Covers(const Camera& view, Vec2 world) const;
  // A click on the panel chooses the entry under it (again: chooses none); false off the panel.
  bool Click(const Camera& view, Vec2 world);
  bool Scroll(const Camera& view, Vec2 world, float notches);
  void Draw(Graphics& graphics) const;

  bool Shown = false;
  std::optional<std::size_t> Chosen;

 private:
  // The panel's lines: a heading before each group, then its entries.
  std::vector<EditorPanel::Line> Lines() const;
  // The entry each line stands for; none for headings.
  std::vector<std::optional<std::size_t>> LineEntries() const;

  bool collected_ = false;
  std::vector<Entry> entries_;
  // Wide enough for the longest names of kinds and textures.
  static constexpr std::size_t kLetters = 18;
  EditorPanel panel_{EditorPanel::Edge::Left, kLetters};
};

}  // namespace Framework
