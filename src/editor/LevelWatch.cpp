#include "editor/LevelWatch.h"

#include <system_error>

namespace Framework {

void LevelWatch::Watch(const std::string& file) {
  file_ = file;
  stamp_ = StampOf();
  polledAt_.reset();
}

bool LevelWatch::Changed(std::uint32_t now) {
  if (polledAt_ && static_cast<std::int32_t>(now - *polledAt_) < static_cast<std::int32_t>(kPollInterval)) {
    return false;
  }
  polledAt_ = now;
  const std::optional<Stamp> stamp = StampOf();
  if (!stamp || stamp == stamp_) return false;
  stamp_ = stamp;
  return true;
}

std::optional<LevelWatch::Stamp> LevelWatch::StampOf() const {
  std::error_code failed;
  Stamp stamp;
  stamp.Time = std::filesystem::last_write_time(file_, failed);
  if (failed) return std::nullopt;
  stamp.Size = std::filesystem::file_size(file_, failed);
  if (failed) return std::nullopt;
  return stamp;
}

}  // namespace Framework
