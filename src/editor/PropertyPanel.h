// PropertyPanel: every field of every component of the one selected object, shown
// on the right edge as its level entry holds them. The entry is written through the
// component field lists, so the panel lists nothing of its own and a new field
// shows up here by itself. A click on a value starts an edit (a bool flips at
// once); typing replaces the text, Enter applies it as one undoable step and Escape
// drops it. The panel keeps to the right edge, unless the object lies under it and
// the left edge is free: then it moves there, out of the way of the object's
// handles. A value goes through the level loader as an edited entry, so the panel
// refuses exactly what a level file would have refused, with the loader's line.
// Invariant: an edit under way names a field of an object that still exists; it is
// dropped when the selection moves off that object.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <json/value.h>

#include "editor/EditCommand.h"
#include "editor/EditorPanel.h"
#include "engine/Vec2.h"

namespace Framework {

class Camera;
class EditorDocument;
class Graphics;

class PropertyPanel {
 public:
  // One line of the panel: a block's heading (no Path) or one field with its value.
  struct Row {
    std::size_t Depth = 0;
    std::string Key;
    // The field's dotted path in the entry ("Body.Friction.X"); empty for a heading.
    std::string Path;
    Json::Value Value;
  };
  // The entry's blocks and fields in the order the panel lists them.
  static std::vector<Row> RowsOf(const Json::Value& entry);
  // The value typed text gives a field now holding `current`: none, with one line
  // said, when the text is not such a value (a word for a number).
  static std::optional<Json::Value> Parse(const std::string& path, const Json::Value& current,
                                          const std::string& text);
  // Sets one field of the object from typed text as one undoable step; false (with
  // one line said) when the text or the loader refuses it.
  static bool Apply(EditorDocument& document, EditorHandle handle, const std::string& path, const std::string& text);

  // Whether the panel lies under the point (shown, with one object selected).
  bool Covers(const EditorDocument& document, const Camera& view, Vec2 world) const;
  // A click on the panel; false off it. A click anywhere drops an edit under way.
  bool Click(EditorDocument& document, const Camera& view, Vec2 world);
  bool Scroll(const EditorDocument& document, const Camera& view, Vec2 world, float notches);
  // What a click on a field does: starts editing it (a bool flips at once); false
  // when the shown object has no such field.
  bool Begin(EditorDocument& document, const std::string& path);
  bool Editing() const { return edit_.has_value(); }
  // While editing, every key is the panel's: Enter applies, Escape drops, Backspace erases.
  bool OnKey(EditorDocument& document, SDL_Keycode key);
  // Typed text (UTF-8) goes on the end of the value being edited.
  void Type(const std::string& text);
  void Cancel() { edit_.reset(); }
  void Draw(Graphics& graphics, const EditorDocument& document) const;

  bool Shown = true;
  // Whether the left edge is free for the panel (the palette is not there).
  bool LeftEdgeFree = true;

 private:
  // The object shown: the selection when it is one object.
  std::optional<EditorHandle> Target(const EditorDocument& document) const;
  std::vector<Row> Rows(const EditorDocument& document) const;
  std::vector<EditorPanel::Line> Lines(const std::vector<Row>& rows) const;
  // Puts the panel on the edge where it leaves the shown object clear, if either does.
  void MakeWay(const EditorDocument& document, const Camera& view, std::size_t lines) const;

  struct Edit {
    EditorHandle Handle = 0;
    std::string Path;
    std::string Text;
    // Still the value as it was: the first character typed replaces it.
    bool Fresh = true;
  };
  std::optional<Edit> edit_;
  // Wide enough for a particle emitter's deepest fields and their values.
  static constexpr std::size_t kLetters = 36;
  // Mutable: its edge follows the object shown, which drawing also looks at.
  mutable EditorPanel panel_{EditorPanel::Edge::Right, kLetters};
};

}  // namespace Framework
