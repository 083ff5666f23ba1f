// LevelWatch: notices when the level file the editor has open is changed on disk
// by something else (the level generator, a text editor). It looks at the file's
// modification time and size at most once per poll interval of the clock the
// caller reads, so a large level costs one stat a second, never a read.
//
// Invariant: a change is reported once; a file that is gone is no change (a tool
// that replaces it is seen when the new one appears).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace Framework {

class LevelWatch {
 public:
  static constexpr std::uint32_t kPollInterval = 1000;

  // Watches `file` as it is now: what the editor itself wrote is no change.
  void Watch(const std::string& file);
  const std::string& File() const { return file_; }
  // Whether the file changed since it was watched or last reported; `now` in milliseconds.
  bool Changed(std::uint32_t now);

 private:
  struct Stamp {
    std::filesystem::file_time_type Time;
    std::uintmax_t Size = 0;
    bool operator==(const Stamp&) const = default;
  };
  std::optional<Stamp> StampOf() const;

  std::string file_;
  std::optional<Stamp> stamp_;
  std::optional<std::uint32_t> polledAt_;
};

}  // namespace Framework
