#include "editor/ReplayRecorder.h"

#include <SDL.h>

#include <iomanip>
#include <iostream>

#include "engine/Windows.h"

namespace Framework {

void ReplayRecorder::Start(std::uint32_t seed, Vec2 start, std::filesystem::path file,
                           std::filesystem::path fallbackFolder) {
  replay_ = Replay{};
  replay_.Seed = seed;
  replay_.Start = start;
  file_ = std::move(file);
  fallback_ = std::move(fallbackFolder);
  awaitingInput_ = false;
  listener_ = Listen<ReplayRecorderListener>(this);
  std::cout << "Recording a replay (F6 stops)\n";
}

void ReplayRecorder::BeginFrame(float step) {
  if (!Recording()) return;
  ReplayFrame frame;
  frame.Step = step;
  replay_.Frames.push_back(std::move(frame));
  awaitingInput_ = true;
}

void ReplayRecorder::OnKeyboardEvent(const KeyboardEvent& event) {
  if (!awaitingInput_) return;
  awaitingInput_ = false;
  ReplayFrame& frame = replay_.Frames.back();
  frame.Keys.clear();
  if (event.KeyState != nullptr) {
    for (std::uint16_t key = 0; key < SDL_NUM_SCANCODES; ++key) {
      if (event.KeyState[key] != 0) frame.Keys.push_back(key);
    }
  }
  const MouseRecord& mouse = Windows::Instance().Mouse;
  frame.Mouse = {mouse.MouseX, mouse.MouseY};
  frame.Button = mouse.Button;
  frame.ButtonEvent = mouse.ButtonEventType;
}

std::optional<std::string> ReplayRecorder::Stop(std::optional<Vec2> end) {
  if (!Recording()) return std::nullopt;
  listener_.Reset();
  replay_.End = end;
  std::string written = file_.string();
  if (!replay_.Write(written)) {
    written = (fallback_ / file_.filename()).string();
    if (!replay_.Write(written)) {
      std::cout << "The replay was not saved\n";
      return std::nullopt;
    }
  }
  std::error_code ignored;
  std::cout << "Replay of " << replay_.Frames.size() << " frames (" << std::fixed << std::setprecision(1)
            << replay_.Duration() << std::defaultfloat << " s) saved to "
            << std::filesystem::absolute(written, ignored).string() << "\n";
  return written;
}

}  // namespace Framework
