#include "editor/EditorBackup.h"

#include <iostream>
#include <system_error>

#include "editor/EditorDocument.h"
#include "editor/LevelSaver.h"
#include "levels/JsonFile.h"
#include "levels/SaveLocation.h"
#include "levels/Serialization.h"

namespace Framework {

namespace {

// Whether the clock has reached `due`, on a millisecond counter that wraps around.
bool Reached(std::uint32_t now, std::uint32_t due) { return static_cast<std::int32_t>(now - due) >= 0; }

}  // namespace

std::filesystem::path EditorBackup::DefaultFolder() {
  return AutosaveFilePath(&ProcessEnvironment).parent_path() / "backups";
}

std::filesystem::path EditorBackup::FileFor(const std::string& level) const {
  return Folder / std::filesystem::path(level).filename();
}

void EditorBackup::Tick(const EditorDocument& document, const std::string& level, std::uint32_t now) {
  if (!document.Modified()) {
    // Saved, or undone back to what was saved: nothing is at risk.
    if (!written_.empty()) Remove(level);
    dueAt_.reset();
    return;
  }
  if (!dueAt_) {
    dueAt_ = now + kInterval;
  } else if (Reached(now, *dueAt_)) {
    Flush(document, level);
    dueAt_ = now + kInterval;
  }
}

void EditorBackup::Flush(const EditorDocument& document, const std::string& level) {
  if (document.Modified()) Write(document, level);
}

bool EditorBackup::Write(const EditorDocument& document, const std::string& level) {
  const std::string text =
      LevelSaver::LevelText(Serialization::Instance().WriteLevel(document.Objects()), "");
  if (text == written_) return true;
  if (!JsonFile::WriteText(FileFor(level).string(), text, {})) return false;
  written_ = text;
  known_.insert(FileFor(level));
  return true;
}

void EditorBackup::Remove(const std::string& level) {
  std::error_code ignored;
  std::filesystem::remove(FileFor(level), ignored);
  Forget();
}

void EditorBackup::Forget() {
  written_.clear();
  dueAt_.reset();
}

std::optional<Json::Value> EditorBackup::Left(const std::string& level) {
  std::error_code failed;
  const std::filesystem::path backup = FileFor(level);
  if (!known_.insert(backup).second) return std::nullopt;
  const auto backupTime = std::filesystem::last_write_time(backup, failed);
  if (failed) return std::nullopt;
  const auto levelTime = std::filesystem::last_write_time(level, failed);
  if (!failed && backupTime < levelTime) return std::nullopt;
  Json::Value kept;
  if (!JsonFile::Read(backup.string(), kept)) return std::nullopt;
  return kept;
}

}  // namespace Framework
