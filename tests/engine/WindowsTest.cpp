// The window and input pump: one KeyboardEvent a frame, the mouse record and its
// MouseEvents, the global keys, full-screen switching and screen-to-world mapping.
// Needs a display (the test script runs a virtual one).
#include "engine/Windows.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "audio/AudioSystem.h"
#include "engine/Commands.h"
#include "engine/Engine.h"
#include "engine/EventSystem.h"
#include "gameplay/GameFlow.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "support/EventRecorder.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(windows.Window, nullptr) << "no display: run under xvfb-run";
    Engine::Instance().Running = true;
    Settle();
  }
  void TearDown() override {
    windows.Pad.SetState(nullptr);
    windows.SetKeyState(nullptr);
    Windows::Hooks = savedHooks_;
  }

  // Lets the window system deliver what creating and placing the window caused
  // (exposure, focus, the pointer warp), then forgets it.
  void Settle() {
    for (int i = 0; i < 5; ++i) {
      SDL_Delay(20);
      Frame();
    }
    keys.Events.clear();
    mice.Events.clear();
    levelCommands.Events.clear();
  }
  // One frame of the input pump, with the posted events delivered.
  void Frame() {
    windows.Update(0.0f, false);
    EventSystem::Instance().Update(0.0f, false);
  }

  // One frame, then the button event the mouse record carries for it.
  void ExpectButton(std::uint8_t button, std::uint32_t type) {
    Frame();
    EXPECT_EQ(windows.Mouse.Button, button);
    EXPECT_EQ(windows.Mouse.ButtonEventType, type);
  }
  // Puts the pointer a quarter of the way into the window and runs frames until its
  // motion comes back through the X server (an earlier warp's motion may come first);
  // the world point it should map to.
  Vec2 WarpPointer() {
    int w = 0, h = 0;
    SDL_GetWindowSize(windows.Window, &w, &h);
    SDL_WarpMouseInWindow(windows.Window, w / 4, h / 4);
    const Vec2 expected = windows.WindowPointToWorld(w / 4, h / 4);
    for (int i = 0; i < 500 && windows.Mouse.MouseX != expected.x; ++i) {
      SDL_Delay(10);
      Frame();
    }
    return expected;
  }
  // A blank event of this kind for the game's window (every kind keeps the window's
  // id in the same place); the pushers below fill in mouse buttons, keys and window events.
  static SDL_Event ForWindow(std::uint32_t type) {
    SDL_Event e{};
    e.type = type;
    e.window.windowID = SDL_GetWindowID(Windows::Instance().Window);
    return e;
  }
  static void PushButton(std::uint32_t type, std::uint8_t button) {
    SDL_Event e = ForWindow(type);
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&e);
  }
  static void PushKey(SDL_Keycode key, std::uint8_t repeat = 0) {
    SDL_Event e = ForWindow(SDL_KEYDOWN);
    e.key.keysym = {SDL_GetScancodeFromKey(key), key, 0, 0};
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat;
    SDL_PushEvent(&e);
  }
  static void PushWindowEvent(std::uint8_t kind) {
    SDL_Event e = ForWindow(SDL_WINDOWEVENT);
    e.window.event = kind;
    SDL_PushEvent(&e);
  }

  Windows& windows = Windows::Instance();
  EventRecorder<KeyboardEvent> keys;
  EventRecorder<MouseEvent> mice;
  EventRecorder<SerializationEvent> levelCommands;
  Gamepad::State pad;

 private:
  const Windows::WindowHooks savedHooks_ = Windows::Hooks;
};

// The scancodes a posted key-state array holds down.
std::vector<int> HeldKeys(const KeyboardEvent& event) {
  std::vector<int> held;
  for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
    if (event.KeyState[key] != 0) held.push_back(key);
  }
  return held;
}

TEST_F(WindowsTest, EveryFrameCarriesTheKeysGivenWithTheControllersAddedAndQuietFramesNoMouseEvent) {
  Frame();
  ASSERT_EQ(keys.Events.size(), 1u);
  EXPECT_TRUE(mice.Events.empty());
  EXPECT_EQ(windows.Mouse.Button, 0);
  EXPECT_EQ(windows.Mouse.ButtonEventType, 0u);

  std::array<std::uint8_t, SDL_NUM_SCANCODES> held{};
  held[SDL_SCANCODE_A] = 1;
  windows.SetKeyState(held.data());
  windows.Pad.SetState(&pad);
  auto heldAfterFrame = [&] {
    Frame();
    return HeldKeys(keys.Events.back());
  };
  EXPECT_EQ(heldAfterFrame(), std::vector<int>{SDL_SCANCODE_A});
  // The stick walks, the d-pad steps and A jumps, beside the keyboard's keys.
  pad.LeftStick = {0.9f, 0.1f};
  pad.DpadDown = true;
  pad.A = true;
  EXPECT_EQ(heldAfterFrame(),
            (std::vector<int>{SDL_SCANCODE_A, SDL_SCANCODE_SPACE, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN}));
  pad = {};
  pad.LeftStick = {-0.5f, 0.5f};
  EXPECT_EQ(heldAfterFrame(), (std::vector<int>{SDL_SCANCODE_A, SDL_SCANCODE_LEFT, SDL_SCANCODE_UP}));
  // A stick resting a little off centre holds nothing.
  pad.LeftStick = {0.2f, -0.2f};
  EXPECT_EQ(heldAfterFrame(), std::vector<int>{SDL_SCANCODE_A});
  held[SDL_SCANCODE_A] = 0;
  EXPECT_TRUE(heldAfterFrame().empty());
}

// The controller's buttons that act once: triggers and shoulders click through the
// button queue, Start is Escape, B is Escape in the menus only, and the right stick
// aims around the player.
TEST_F(WindowsTest, ControllerPressesActOnceTheRightStickAimsAroundThePlayerAndTheMouseTakesOver) {
  std::vector<SDL_Keycode> pressed;
  bool menuShown = false;
  Windows::Hooks.KeyPressed = [&](SDL_Keycode key) { pressed.push_back(key); };
  Windows::Hooks.MenuShown = [&] { return menuShown; };
  const Vec2 player{10.0f, 5.0f};
  Windows::Hooks.AimCentre = [&]() -> std::optional<Vec2> { return player; };
  windows.Pad.SetState(&pad);

  // Held for three frames, a trigger throws once and lets go once.
  pad.RightTrigger = 0.8f;
  ExpectButton(SDL_BUTTON_LEFT, Windows::ButtonDown);
  ExpectButton(0, 0u);
  pad.RightTrigger = 0.1f;
  ExpectButton(SDL_BUTTON_LEFT, Windows::ButtonUp);
  // A shoulder and a trigger held together are one detonation.
  pad.LeftShoulder = true;
  pad.LeftTrigger = 1.0f;
  ExpectButton(SDL_BUTTON_RIGHT, Windows::ButtonDown);
  ExpectButton(0, 0u);
  pad = {};
  pad.RightShoulder = true;
  ExpectButton(SDL_BUTTON_LEFT, Windows::ButtonDown);

  // Start held is one Escape; B is none until a menu shows.
  pad.B = pad.Start = true;
  pad.RightShoulder = false;
  Frame();
  Frame();
  EXPECT_EQ(pressed, std::vector<SDL_Keycode>{SDLK_ESCAPE});
  menuShown = true;
  pad = {};
  Frame();
  pad.B = true;
  Frame();
  EXPECT_EQ(pressed, (std::vector<SDL_Keycode>{SDLK_ESCAPE, SDLK_ESCAPE}));

  // The stick puts the cursor at the aiming distance in its direction, and the
  // cursor stays there, beside the player, after the stick is let go.
  pad = {};
  pad.RightStick = {0.0f, -0.5f};
  Frame();
  EXPECT_FLOAT_EQ(windows.Mouse.MouseX, player.x);
  EXPECT_FLOAT_EQ(windows.Mouse.MouseY, player.y - Windows::AimRadius);
  pad.RightStick = {0.1f, 0.1f};
  Frame();
  EXPECT_FLOAT_EQ(windows.Mouse.MouseY, player.y - Windows::AimRadius);
  // The mouse moving takes the cursor back, with a MouseEvent.
  mice.Events.clear();
  const Vec2 pointer = WarpPointer();
  EXPECT_FALSE(mice.Events.empty());
  EXPECT_FLOAT_EQ(windows.Mouse.MouseX, pointer.x);
  EXPECT_FLOAT_EQ(windows.Mouse.MouseY, pointer.y);
  EXPECT_LT(windows.Mouse.MouseX, Graphics::Instance().Camera.Position.x);  // left of centre
  EXPECT_GT(windows.Mouse.MouseY, Graphics::Instance().Camera.Position.y);  // above centre
  // A still mouse keeps its world position in step with a moving camera.
  Graphics::Instance().Camera.Position.x += 7.0f;
  Frame();
  EXPECT_FLOAT_EQ(windows.Mouse.MouseX, pointer.x + 7.0f);
}

// A real (virtual) controller through SDL: plugged in, it is read; pulled out, the
// window reports the player gone as it does a lost focus.
TEST_F(WindowsTest, APluggedControllerIsReadAndPullingItOutReportsFocusLost) {
  int lost = 0;
  Windows::Hooks.FocusLost = [&] { ++lost; };
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  Frame();
  ASSERT_TRUE(windows.Pad.Connected());
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  // A virtual trigger's axis runs over the whole range: at rest it is at its minimum.
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MIN);
  Frame();
  Frame();
  EXPECT_EQ(HeldKeys(keys.Events.back()), (std::vector<int>{SDL_SCANCODE_SPACE, SDL_SCANCODE_LEFT}));
  EXPECT_EQ(lost, 0);

  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  Frame();
  EXPECT_FALSE(windows.Pad.Connected());
  EXPECT_EQ(lost, 1);
  EXPECT_TRUE(HeldKeys(keys.Events.back()).empty());
}

// Every button event gets a frame of its own, in order, so that no press is lost
// to a release (or another press) that arrived in the same frame.
TEST_F(WindowsTest, EveryButtonEventGetsAFrameOfItsOwnInTheOrderItCame) {
  auto expectRecord = [&](std::uint8_t button, std::uint32_t type, std::size_t mouseEvents) {
    ExpectButton(button, type);
    ASSERT_EQ(mice.Events.size(), mouseEvents);
  };
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  expectRecord(SDL_BUTTON_LEFT, Windows::ButtonDown, 1u);
  EXPECT_EQ(mice.Events[0].MouseState, &windows.Mouse);

  // A quick click (a touchpad tap): the press now, the release in the next frame.
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  expectRecord(SDL_BUTTON_LEFT, Windows::ButtonDown, 2u);
  expectRecord(SDL_BUTTON_LEFT, Windows::ButtonUp, 3u);
  expectRecord(0, 0u, 3u);

  // A throw and a detonation together: the left press first, then the right one,
  // which alone posts no MouseEvent.
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  expectRecord(SDL_BUTTON_LEFT, Windows::ButtonDown, 4u);
  expectRecord(SDL_BUTTON_RIGHT, Windows::ButtonDown, 4u);
  expectRecord(0, 0u, 4u);
  // A right release and the middle button change nothing.
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
  expectRecord(0, 0u, 4u);
}

// Applying the window's size fits the view to it, keeps the camera's place (flat) and
// centres the mouse; screen points then map onto the visible area around the camera.
TEST_F(WindowsTest, ApplyingTheWindowSizeFitsTheViewAndScreenPointsSpanItAroundTheCamera) {
  Camera& camera = Graphics::Instance().Camera;
  camera.Position = {10.0f, -4.0f, 2.0f};
  windows.ApplyWindowSize();
  EXPECT_EQ(camera.Position, (Vec3{10.0f, -4.0f, 0.0f}));  // (the matrices it rebuilt: CameraTest)
  int w = 0, h = 0, x = 0, y = 0;
  SDL_GetWindowSize(windows.Window, &w, &h);
  // The pointer's new place comes back through the X server.
  for (int i = 0; i < 500 && (x != w / 2 || y != h / 2); ++i) {
    SDL_Delay(10);
    SDL_PumpEvents();
    SDL_GetMouseState(&x, &y);
  }
  EXPECT_EQ(x, w / 2);
  EXPECT_EQ(y, h / 2);

  SDL_GL_GetDrawableSize(windows.Window, &w, &h);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h), half = camera.ViewHalfWidth / 2.0f;
  EXPECT_FLOAT_EQ(camera.ViewHalfWidth, 32.0f * fw / fh);
  // The centre, the top left corner and the bottom right one.
  for (const auto& [screen, world] : {std::pair{Vec2{fw / 2, fh / 2}, Vec2{10.0f, -4.0f}},
                                      {Vec2{0, 0}, Vec2{10.0f - half, -4.0f + 16.0f}},
                                      {Vec2{fw, fh}, Vec2{10.0f + half, -4.0f - 16.0f}}}) {
    const Vec2 got = windows.ScreenToWorld(screen.x, screen.y);
    EXPECT_FLOAT_EQ(got.x, world.x) << screen.x;
    EXPECT_FLOAT_EQ(got.y, world.y) << screen.y;
  }
}

TEST_F(WindowsTest, F11TwiceReturnsToTheStartingModeAndLeavingGivesAUsableWindow) {
  // The window starts in desktop full screen, titled for the game.
  EXPECT_STREQ(SDL_GetWindowTitle(windows.Window), "Tumbrix");
  EXPECT_TRUE(windows.Fullscreen);
  EXPECT_TRUE(SDL_GetWindowFlags(windows.Window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_Rect display{};
  SDL_GetDisplayBounds(0, &display);
  PushKey(SDLK_F11);
  Frame();
  EXPECT_FALSE(windows.Fullscreen);
  EXPECT_FALSE(SDL_GetWindowFlags(windows.Window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
  int w = 0, h = 0;
  SDL_GetWindowSize(windows.Window, &w, &h);
  EXPECT_EQ(w, static_cast<int>(display.w / 1.5));
  EXPECT_EQ(h, static_cast<int>(display.h / 1.5));
  Settle();

  PushKey(SDLK_F11);
  Frame();
  EXPECT_TRUE(windows.Fullscreen);
  EXPECT_TRUE(SDL_GetWindowFlags(windows.Window) & SDL_WINDOW_FULLSCREEN_DESKTOP);

  // Asking for the mode already in force does nothing, and a held key does not toggle again.
  windows.SetFullscreen(true);
  EXPECT_TRUE(windows.Fullscreen);
  PushKey(SDLK_F11, 1);
  Frame();
  EXPECT_TRUE(windows.Fullscreen);
}

TEST_F(WindowsTest, GlobalKeysF2RAndF10AndTheCloseRequest) {
  Graphics& graphics = Graphics::Instance();
  const bool debugBefore = graphics.ShowDebug;
  PushKey(SDLK_F2);
  Frame();
  EXPECT_NE(graphics.ShowDebug, debugBefore);
  EXPECT_TRUE(Engine::Instance().Running);

  PushKey(SDLK_r);
  Frame();
  EXPECT_EQ(levelCommands.Commands(), std::vector<std::int32_t>{SerializationCommand::RestartOrContinue});

  // Unsaved edits: F10 asks through the quit confirmation instead of ending the game.
  GameFlow::Instance().UnsavedWork = [] { return true; };
  PushKey(SDLK_F10);
  Frame();
  GameFlow::Instance().UnsavedWork = nullptr;
  EXPECT_TRUE(Engine::Instance().Running);

  PushKey(SDLK_F10);
  Frame();
  EXPECT_FALSE(Engine::Instance().Running);
  // Every frame still posted its keyboard event.
  EXPECT_EQ(keys.Events.size(), 4u);
}

TEST_F(WindowsTest, LosingFocusPausesTheGameAndTheMusicOnceAndFocusResumesThem) {
  EventRecorder<AudioEvent> audio;
  Engine::Instance().Paused = false;
  GameFlow::Instance().MusicPausedByWindow = false;
  using Commands = std::vector<std::int32_t>;
  const Commands pauseResume = {AudioCommand::PauseMusic, AudioCommand::ResumeMusic};

  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
  Frame();
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(audio.Commands(), Commands{AudioCommand::PauseMusic});
  EXPECT_TRUE(GameFlow::Instance().MusicPausedByWindow);

  // The splash screens are screen levels: focus brings the game back.
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  Frame();
  EXPECT_FALSE(Engine::Instance().Paused);
  EXPECT_EQ(audio.Commands(), pauseResume);
  EXPECT_FALSE(GameFlow::Instance().MusicPausedByWindow);

  // Minimised during play: restoring brings the music back but leaves the game paused.
  Serialization::Instance().CurrentLevel = LevelSlot::FirstPlay + 2;
  audio.Events.clear();
  PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
  Frame();
  EXPECT_TRUE(Engine::Instance().Paused);
  PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
  Frame();
  EXPECT_TRUE(Engine::Instance().Paused);
  EXPECT_EQ(audio.Commands(), pauseResume);
  Serialization::Instance().CurrentLevel = LevelSlot::FirstSplash;

  // Music the options had already paused is not the window's to pause or resume.
  audio.Events.clear();
  AudioSystem::Instance().MusicPaused = true;
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  Frame();
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  Frame();
  EXPECT_TRUE(audio.Events.empty());
  AudioSystem::Instance().MusicPaused = false;
}

// Whether the far corner of the desktop holds drawn pixels (it does not when the
// window is smaller than the size the platform reports for full screen).
bool FarCornerIsDrawn() {
  SDL_Rect display{};
  SDL_GetDisplayBounds(0, &display);
  SDL_PumpEvents();
  glViewport(0, 0, display.w, display.h);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  std::uint8_t pixel[4] = {0, 0, 0, 0};
  glReadPixels(display.w - 2, display.h - 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return pixel[0] == 255 && pixel[1] == 0;
}

using WindowsDrawTest = GlFixture;

TEST_F(WindowsDrawTest, FullScreenCoversTheWholeDesktopAtStartAndAfterReturning) {
  Windows& windows = Windows::Instance();
  EXPECT_TRUE(FarCornerIsDrawn());
  windows.SetFullscreen(false);
  windows.SetFullscreen(true);
  EXPECT_TRUE(FarCornerIsDrawn());
}

}  // namespace
}  // namespace Framework
