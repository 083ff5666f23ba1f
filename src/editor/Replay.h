// Replay: one recorded test play of a level, enough to play it again exactly: the
// master seed every generator of the world was made from, where the player
// started, and for every frame its step and the input the game read in it (the
// held keys and the mouse record, in world units). It lives beside its level
// ("Save13.replay.json" next to "Save13.json") and plays against that file.
//
// Invariant: a replay written and read back holds the same frames, steps and
// positions bit for bit (floats are written with enough digits to come back
// exact), so playing it builds the same game as the play that recorded it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/Vec2.h"

namespace Framework {

struct ReplayFrame {
  float Step = 0.0f;
  // Scancodes held down during the frame.
  std::vector<std::uint16_t> Keys;
  Vec2 Mouse{0.0f, 0.0f};
  // The mouse record's one button event of the frame (0: none).
  std::uint8_t Button = 0;
  std::uint32_t ButtonEvent = 0;
};

class Replay {
 public:
  // "levels/Save13.json" -> "levels/Save13.replay.json", and back.
  static std::filesystem::path FileFor(const std::filesystem::path& level);
  static std::filesystem::path LevelFor(const std::filesystem::path& replay);
  // What must happen, in this order, before a replay's frames run: the seed
  // restored (the world is then built from it), and the player put at the start.
  static void SeedGenerators(std::uint32_t seed);
  static void PlacePlayer(Vec2 start);

  // None (reported in one line) when the file cannot be read or is not a replay.
  static std::optional<Replay> Read(const std::string& file);
  // Written whole or not at all (write, then rename); false (reported) when it failed.
  bool Write(const std::string& file) const;
  // Seconds of play the frames cover.
  double Duration() const;

  std::uint32_t Seed = 0;
  Vec2 Start{0.0f, 0.0f};
  std::vector<ReplayFrame> Frames;
  // Where the player stood after the last frame, when the recording ended in the
  // level it began in: a play that ends elsewhere did not repeat the recording.
  std::optional<Vec2> End;
};

}  // namespace Framework
