// ReplayRecorder: records a test play as a Replay. The editor starts it once the
// world has been built again from the seed it names; from then on every frame
// adds its step, and the frame's KeyboardEvent (which every frame posts) brings
// the held keys, read with the mouse record at the moment gameplay reads them, so
// what is kept is exactly what the game acted on, a controller's keys included.
//
// Invariant: while recording, every frame begun holds the input of that frame
// once its KeyboardEvent has been delivered, and no other frame's; stopped,
// nothing is listened to.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "editor/Replay.h"
#include "engine/EventListener.h"
#include "engine/Events.h"

namespace Framework {

class ReplayRecorder {
 public:
  bool Recording() const { return static_cast<bool>(listener_); }
  // From now on frames are kept, to be written to `file` (or, when that cannot be
  // written, to a file of the same name in `fallbackFolder`).
  void Start(std::uint32_t seed, Vec2 start, std::filesystem::path file, std::filesystem::path fallbackFolder);
  // A frame of play begins, `step` seconds long (a paused frame is none).
  void BeginFrame(float step);
  // Writes what was recorded, with where the player ended when that is known; the
  // path written, or none (reported). Saying where it went is the one line a
  // level maker sees.
  std::optional<std::string> Stop(std::optional<Vec2> end);

  void OnKeyboardEvent(const KeyboardEvent& event);

 private:
  Replay replay_;
  std::filesystem::path file_;
  std::filesystem::path fallback_;
  // A frame has begun and its KeyboardEvent has not come yet.
  bool awaitingInput_ = false;
  Subscription listener_;
};

using ReplayRecorderListener = EventListener<&ReplayRecorder::OnKeyboardEvent>;

}  // namespace Framework
