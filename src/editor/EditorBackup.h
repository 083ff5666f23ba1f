// EditorBackup: keeps edits that were never saved safe from a crash. While the
// document differs from its file, the level as it stands is written to a backup in
// the user's data folder once a minute (by the clock the caller reads), and at
// once when the editor lets go of a still world (a test play starts, the editor
// closes). Saving, or undoing back to what was saved, removes it. A backup at
// least as new as its level's file when the editor opens is what a crash left.
//
// Invariant: a backup file is always a whole level (written, then renamed); this
// object removes only a backup it wrote itself, unless told to (a save, a refusal),
// so one a crash left stays until the level maker has answered for it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include <json/value.h>

namespace Framework {

class EditorDocument;

class EditorBackup {
 public:
  // Milliseconds between two backups of the same unsaved edits.
  static constexpr std::uint32_t kInterval = 60 * 1000;
  // "backups" beside the autosave.
  static std::filesystem::path DefaultFolder();

  // The backup of a level file: a file of the same name in Folder.
  std::filesystem::path FileFor(const std::string& level) const;
  // Called while the document describes a still world; `now` in milliseconds.
  // Writes a backup a minute after the edits began, and every minute after that.
  void Tick(const EditorDocument& document, const std::string& level, std::uint32_t now);
  // Writes now when the edits changed since the last backup.
  void Flush(const EditorDocument& document, const std::string& level);
  void Remove(const std::string& level);
  // A new document: a backup on disk stays, but the edits it holds are not this
  // document's (the world may still hold them, unsaved).
  void Forget();
  // The level a crash left for this file: a backup as new as the file or newer,
  // that this run did not write. Each is offered once a run.
  std::optional<Json::Value> Left(const std::string& level);

  std::filesystem::path Folder = DefaultFolder();

 private:
  bool Write(const EditorDocument& document, const std::string& level);

  std::optional<std::uint32_t> dueAt_;
  // The text last written, to skip writing the same edits again.
  std::string written_;
  // Backups written or offered in this run: none of them is a crash's.
  std::set<std::filesystem::path> known_;
};

}  // namespace Framework
