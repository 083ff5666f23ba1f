// LevelSaver: writes the edited level back to disk. The text has the layout of
// the shipped level files (their header comment, tab indents, keys in byte order,
// objects as an array in the document's order, numbers as the shortest text that
// reads back as the same float), so saving an unchanged level rewrites the same
// bytes and a diff shows only what was edited. A level whose file cannot be
// written (an installed game) goes to the user's data folder, and from then on
// the game plays that copy in its place.
// Invariant: a save either replaces the target with the whole level or leaves it
// as it was (JsonFile's write-then-rename); the slot's level file names the file
// last saved.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <json/value.h>

namespace Framework {

class EditorDocument;

class LevelSaver {
 public:
  // The user's folder for edited copies of levels: "levels" beside the autosave.
  static std::filesystem::path DefaultCopyFolder();
  // Points every level slot that has an edited copy in `folder` at that copy.
  static void UseCopies(const std::filesystem::path& folder);
  // A level document as text in the shipped layout, under the header comment.
  static std::string LevelText(const Json::Value& level, const std::string& comment);

  // Writes the document as the level of `slot`; the path written, or none (reported).
  // The document counts as saved afterwards.
  std::optional<std::string> Save(EditorDocument& document, int slot);

  std::filesystem::path CopyFolder = DefaultCopyFolder();
  // Whether a file can be replaced where it is; by default, whether the system
  // lets this user write the file and its folder.
  std::function<bool(const std::filesystem::path&)> Writable;
};

}  // namespace Framework
