#include "editor/EditorSession.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <string>

#include <glm/common.hpp>

#include "engine/Engine.h"
#include "engine/Random.h"
#include "engine/Windows.h"
#include "graphics/AssetStore.h"
#include "graphics/Graphics.h"
#include "levels/JsonFile.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "objects/Transform.h"

namespace Framework {

namespace {

// Each wheel notch shows this much less (or more) of the world.
constexpr float kZoomPerNotch = 1.15f;
// The view's height, in world units, between these (a play view is 32 high).
constexpr float kNearestView = 4.0f;
constexpr float kFarthestView = 512.0f;
// The arrow keys pan the width of the view in this many seconds.
constexpr float kPanSecondsPerView = 1.0f;
// Resize handles: squares this big (in view heights) on the corners of a lone selection.
constexpr float kHandleSize = 0.015f;
// A press and release closer than this (in view heights) is a click, not a box.
constexpr float kClickSlop = 0.005f;
// The grid thins out (five cells to a line) until lines are at least this far apart, in view heights.
constexpr float kGridLineGap = 0.02f;
constexpr float kGridThinning = 5.0f;
constexpr float kStatusTextSize = 8.0f;
constexpr float kStatusMargin = 0.02f;
// The status line's baseline sits this many margins below the top of the view.
constexpr float kStatusLines = 3.0f;
// Marks sit in front of everything in the world.
constexpr float kMarkZ = 0.0f;
// The key card: its text (at the play view's zoom), the gap between lines and
// around the card in character widths, and the width of the key column in characters.
constexpr float kCardTextSize = 5.0f;
constexpr float kCardLineGap = 1.9f;
constexpr float kCardPadding = 1.5f;
constexpr std::size_t kCardKeyColumn = 22;

struct KeyLine {
  const char* Keys;
  const char* Does;
};

// Every key and gesture of the editor; the F1 card lists them in this order.
constexpr std::array<KeyLine, 22> kKeyCard = {{
    {"F4", "open or close the editor"},
    {"F1, Escape", "show or hide this card"},
    {"Left drag", "select and move (Alt: off the grid)"},
    {"Shift+click", "add to or take from the selection"},
    {"Right drag", "select by box"},
    {"Corner handles", "resize the one selected object"},
    {"Tab", "palette: click a kind, then the world"},
    {"P", "show or hide the properties"},
    {"Click a property", "type, Enter applies, Escape drops"},
    {"Wheel", "zoom"},
    {"Middle drag, arrows", "pan"},
    {"1  2  3", "hide or show background, play, foreground"},
    {"G", "grid on or off"},
    {"Delete", "delete the selection"},
    {"Ctrl+A", "select everything shown"},
    {"Ctrl+D", "duplicate the selection"},
    {"Ctrl+C  Ctrl+V", "copy, paste as level text"},
    {"Ctrl+Z", "undo"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo"},
    {"Ctrl+S", "save the level"},
    {"F5", "play from the mouse (Escape or F4 stops)"},
    {"F6 (while playing)", "record a replay from the start; F6 stops"},
}};

// The band each number key hides or shows, back to front.
constexpr std::array<EditorDocument::Band, EditorDocument::kBands> kBandKeys = {
    EditorDocument::Band::Background, EditorDocument::Band::Play, EditorDocument::Band::Foreground};
constexpr std::array<const char*, EditorDocument::kBands> kBandNames = {"foreground", "play", "background"};

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

using Colour = EditorPanel::QuadColour;

const Colour kSelected = EditorPanel::Solid(1.0f, 0.85f, 0.1f, 1.0f);
const Colour kBox = EditorPanel::Solid(0.3f, 0.8f, 1.0f, 1.0f);
const Colour kGrid = EditorPanel::Solid(1.0f, 1.0f, 1.0f, 0.18f);
const Colour kInvisible = EditorPanel::Solid(0.0f, 0.0f, 0.0f, 0.0f);
const Colour kCard = EditorPanel::Solid(0.05f, 0.06f, 0.1f, 0.85f);
// The status line and the keys on the card: the warm yellow of the marks, readable on sky and ground.
const Color3 kKeyText{1.0f, 0.9f, 0.3f};

void DrawSegment(Graphics& graphics, const Mat4& world, Vec2 a, Vec2 b, const Colour& colour) {
  const float line[6] = {a.x, a.y, kMarkZ, b.x, b.y, kMarkZ};
  graphics.DrawImmediate(world, line, colour.data(), GL_LINE);
  glDrawArrays(GL_LINES, 0, 2);
}

void DrawOutline(Graphics& graphics, const Mat4& model, const Colour& colour) {
  graphics.DrawImmediate(model, Graphics::UnitQuad, colour.data(), Graphics::ImmediateQuad);
  glDrawArrays(GL_LINE_LOOP, 0, 4);
}

// The four corners of a box, from its centre, in half sizes.
constexpr std::array<Vec2, 4> kCornerSides = {Vec2{-1, -1}, Vec2{1, -1}, Vec2{1, 1}, Vec2{-1, 1}};

void DrawHandles(Graphics& graphics, const Transform& t, float size) {
  const Vec2 half = glm::abs(t.Scale) * 0.5f;
  for (const Vec2& side : kCornerSides) {
    const Vec2 corner = t.Position + half * side;
    DrawOutline(graphics, graphics.ModelMatrix({corner.x, corner.y, kMarkZ}, {size, size, 1.0f}, 0.0f), kSelected);
  }
}

}  // namespace

EditorSession& EditorSession::Instance() {
  static EditorSession session;
  return session;
}

// Opening and closing ------------------------------------------------------------------

void EditorSession::Open() {
  if (open_ || (MenuShown && MenuShown()) || !IsGameLevel(Serialization::Instance().CurrentLevel)) return;
  open_ = true;
  Engine& engine = Engine::Instance();
  wasPaused_ = engine.Paused;
  engine.Paused = true;
  if (View) playView_ = *View;
  OpenDocument();
  world_ = Serialization::Instance().WorldsBuilt;
  gesture_ = Gesture::None;
}

void EditorSession::StartTest() {
  GameObject* player = Factory::Instance().Player;
  Transform* transform = player ? player->GetComponent<Transform>() : nullptr;
  if (!open_ || testing_ || transform == nullptr) {
    if (open_ && !testing_) std::cout << "Editor: this level has no player to test with\n";
    return;
  }
  if (gesture_ == Gesture::Drag) Document.EndDrag();
  gesture_ = Gesture::None;
  if (UnsavedEdits()) Backup.Flush(Document, LevelFile());
  beforeTest_ = Document.Keep();
  if (View) editView_ = *View;
  Serialization& levels = Serialization::Instance();
  testedLevel_ = levels.CurrentLevel;
  lastLevelBeforeTest_ = levels.LastLevel;
  // A test play is no part of the player's game: it leaves the autosave alone.
  levels.ProgressFrozen = true;
  testStart_ = pointer_;
  Replay::PlacePlayer(testStart_);
  testing_ = true;
  Engine::Instance().Paused = false;
}

void EditorSession::ToggleRecording() {
  if (!testing_) return;
  if (recorder_.Recording()) {
    // After a win or a death the player stands in another world: no end to check.
    const GameObject* player = Factory::Instance().Player;
    const Transform* transform = player ? player->GetComponent<Transform>() : nullptr;
    const bool sameWorld = Serialization::Instance().WorldsBuilt == world_ && transform != nullptr;
    recorder_.Stop(sameWorld ? std::optional<Vec2>(transform->Position) : std::nullopt);
    Random::ClearMasterSeed();
    return;
  }
  // The replay plays against the level file, built as a load builds it: the test
  // starts over from the world as it stood, with every generator made from the seed.
  const std::uint32_t seed = Random::NextSeed();
  Replay::SeedGenerators(seed);
  Document.Restore(beforeTest_);
  Replay::PlacePlayer(testStart_);
  recorder_.Start(seed, testStart_, Replay::FileFor(LevelFile()), Saver.CopyFolder);
  if (Document.Modified()) {
    std::cout << "Editor: the level has unsaved edits; save it so that its file matches the replay\n";
  }
}

void EditorSession::EndTest() {
  if (!testing_) return;
  if (recorder_.Recording()) ToggleRecording();
  testing_ = false;
  Serialization& levels = Serialization::Instance();
  levels.CurrentLevel = testedLevel_;
  levels.LastLevel = lastLevelBeforeTest_;
  levels.ProgressFrozen = false;
  Document.Restore(beforeTest_);
  beforeTest_ = {};
  world_ = Serialization::Instance().WorldsBuilt;
  if (View && editView_) *View = *editView_;
  editView_.reset();
  Engine::Instance().Paused = true;
}

void EditorSession::Close() {
  if (!open_) return;
  EndTest();
  if (gesture_ == Gesture::Drag) Document.EndDrag();
  gesture_ = Gesture::None;
  if (UnsavedEdits()) Backup.Flush(Document, LevelFile());
  open_ = false;
  keyCard_ = false;
  Properties.Cancel();
  Document.ShowAllBands();
  if (View && playView_) *View = *playView_;
  playView_.reset();
  menuView_.reset();
  Engine::Instance().Paused = wasPaused_;
}

void EditorSession::Update(float dt, bool) {
  if (!open_) return;
  if (testing_) {
    // Dying or winning built another world: the test is over.
    if (Serialization::Instance().WorldsBuilt != world_) {
      EndTest();
    } else if (!Engine::Instance().Paused) {
      // The world stands still in a paused frame (the window lost focus): a replay skips it.
      recorder_.BeginFrame(dt);
    }
    return;
  }
  Engine::Instance().Paused = true;
  // A restart or another level built a new world under the editor.
  if (Serialization::Instance().WorldsBuilt != world_) {
    OpenDocument();
    world_ = Serialization::Instance().WorldsBuilt;
    gesture_ = Gesture::None;
  }
  if (MenuUp()) {
    if (View && !menuView_) menuView_ = *View;
    return;
  }
  if (View && menuView_) *View = *menuView_;
  menuView_.reset();
  if (gesture_ == Gesture::None) {
    const std::uint32_t now = Now();
    if (watch_.File() != LevelFile()) {
      watch_.Watch(LevelFile());
    } else if (watch_.Changed(now)) {
      ReloadFromDisk();
    }
    Backup.Tick(Document, LevelFile(), now);
  }
  const std::uint8_t* keys = KeyState ? KeyState() : nullptr;
  if (View == nullptr || keys == nullptr) return;
  const float step = ViewHeight() * dt / kPanSecondsPerView;
  View->Position.x += step * static_cast<float>(keys[SDL_SCANCODE_RIGHT] - keys[SDL_SCANCODE_LEFT]);
  View->Position.y += step * static_cast<float>(keys[SDL_SCANCODE_UP] - keys[SDL_SCANCODE_DOWN]);
}

std::string EditorSession::LevelFile() const {
  const Serialization& levels = Serialization::Instance();
  const std::int32_t level = testing_ ? testedLevel_ : levels.CurrentLevel;
  return IsValidSlot(level) ? levels.LevelFiles[static_cast<std::size_t>(level)] : std::string();
}

void EditorSession::OpenDocument() {
  Document.Open();
  Backup.Forget();
  const std::string level = LevelFile();
  watch_.Watch(level);
  std::optional<Json::Value> kept = Backup.Left(level);
  if (!kept) return;
  std::cout << "Editor: " << Backup.FileFor(level).string()
            << " holds edits of this level that were never saved: YES takes them back, NO deletes them\n";
  if (!Ask) return;
  Ask(
      u"RESTORE BACKUP?",
      [this, kept = std::move(*kept)] {
        if (open_ && !testing_) Document.ReplaceLevel("Take back the backup", kept);
      },
      [this, level] { Backup.Remove(level); });
}

void EditorSession::ReloadFromDisk() {
  Json::Value level;
  // A file caught half written is no level: the rest of the write changes it again.
  if (!JsonFile::Read(LevelFile(), level) || !level.isMember("Factory")) return;
  const bool unsaved = Document.Modified();
  Document.ReplaceLevel("Reload from disk", level);
  Document.MarkSaved();
  std::cout << "Editor: " << LevelFile() << " changed on disk and was reloaded"
            << (unsaved ? " (Ctrl+Z brings back the unsaved edits)" : "") << "\n";
}

bool EditorSession::UnsavedEdits() const {
  return Document.Modified() && (testing_ || Serialization::Instance().WorldsBuilt == world_);
}

float EditorSession::ViewHeight() const { return View ? View->ViewHalfHeight : kNearestView; }

// Input ------------------------------------------------------------------------------------

bool EditorSession::OnEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    return event.key.repeat == 0 && OnKey(event.key.keysym.sym, event.key.keysym.mod);
  }
  if (!open_ || testing_ || (MenuShown && MenuShown())) return false;
  if (event.type == SDL_TEXTINPUT) {
    Properties.Type(event.text.text);
    return Properties.Editing();
  }
  const std::uint16_t modifiers = static_cast<std::uint16_t>(SDL_GetModState());
  const Windows& window = Windows::Instance();
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
      PointerDown(window.WindowPointToWorld(event.button.x, event.button.y), event.button.button, modifiers);
      return true;
    case SDL_MOUSEBUTTONUP:
      PointerUp(window.WindowPointToWorld(event.button.x, event.button.y), event.button.button, modifiers);
      return true;
    case SDL_MOUSEMOTION:
      PointerMove(window.WindowPointToWorld(event.motion.x, event.motion.y), modifiers);
      return true;
    case SDL_MOUSEWHEEL: {
      const float notches = static_cast<float>(event.wheel.y);
      Wheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -notches : notches, pointer_);
      return true;
    }
    default: return false;
  }
}

bool EditorSession::OnKey(SDL_Keycode key, std::uint16_t modifiers) {
  if (testing_) {
    if (key == SDLK_F6) {
      ToggleRecording();
      return true;
    }
    if (key != SDLK_F4 && key != SDLK_ESCAPE) return false;
    EndTest();
    return true;
  }
  if (key == SDLK_F4) {
    if (open_) {
      Close();
    } else {
      Open();
    }
    return true;
  }
  // A menu over the editor (the window lost focus) has the keys.
  if (!open_ || (MenuShown && MenuShown())) return false;
  const bool ctrl = Modifier(modifiers, KMOD_CTRL);
  const bool shift = Modifier(modifiers, KMOD_SHIFT);
  if (Properties.Editing() && Properties.OnKey(Document, key)) return true;
  if (keyCard_ && key == SDLK_ESCAPE) {
    keyCard_ = false;
    return true;
  }
  if (Palette.Chosen && key == SDLK_ESCAPE) {
    Palette.Chosen.reset();
    return true;
  }
  if (!ctrl && key >= SDLK_1 && key < SDLK_1 + static_cast<SDL_Keycode>(kBandKeys.size())) {
    const EditorDocument::Band band = kBandKeys[static_cast<std::size_t>(key - SDLK_1)];
    Document.ShowBand(band, !Document.BandShown(band));
    return true;
  }
  switch (key) {
    case SDLK_F1: keyCard_ = !keyCard_; return true;
    case SDLK_TAB:
      Palette.Shown = !Palette.Shown;
      Palette.Chosen.reset();
      Properties.LeftEdgeFree = !Palette.Shown;
      if (Palette.Shown) Palette.Collect(EditorPalette::GameLevelFiles());
      return true;
    case SDLK_p:
      if (ctrl) return false;
      Properties.Shown = !Properties.Shown;
      return true;
    case SDLK_g:
      if (ctrl) return false;
      GridOn = !GridOn;
      return true;
    case SDLK_DELETE:
    case SDLK_BACKSPACE: Document.Delete(); return true;
    case SDLK_F5: StartTest(); return true;
    default: break;
  }
  if (!ctrl) return false;
  switch (key) {
    case SDLK_d: Document.Duplicate({Document.GridSize, Document.GridSize}); return true;
    case SDLK_z: shift ? Document.Redo() : Document.Undo(); return true;
    case SDLK_y: Document.Redo(); return true;
    case SDLK_a: Document.Select(Document.Order()); return true;
    case SDLK_c: SDL_SetClipboardText(Document.Copy().c_str()); return true;
    case SDLK_v: {
      char* text = SDL_GetClipboardText();
      if (text != nullptr) {
        Document.Paste(text, pointer_);
        SDL_free(text);
      }
      return true;
    }
    case SDLK_s: {
      const std::string level = LevelFile();
      if (const std::optional<std::string> saved = Saver.Save(Document, Serialization::Instance().CurrentLevel)) {
        Backup.Remove(level);
        watch_.Watch(*saved);
      }
      return true;
    }
    default: return false;
  }
}

void EditorSession::PointerDown(Vec2 world, std::uint8_t button, std::uint16_t modifiers) {
  pointer_ = world;
  if (button == SDL_BUTTON_MIDDLE) {
    gesture_ = Gesture::Pan;
    pressedAt_ = world;
    return;
  }
  pressedAt_ = world;
  adding_ = Modifier(modifiers, KMOD_SHIFT);
  // The right button always draws a box: in a level the backdrop lies under every point.
  if (button == SDL_BUTTON_RIGHT) {
    gesture_ = Gesture::Box;
    return;
  }
  if (button != SDL_BUTTON_LEFT) return;
  gesture_ = Gesture::None;
  if (View && (Properties.Click(Document, *View, world) || Palette.Click(*View, world))) return;
  if (Palette.PlaceChosen(Document, world, GridOn && !Modifier(modifiers, KMOD_ALT))) return;
  if (const std::optional<Vec2> corner = adding_ ? std::nullopt : CornerAt(world)) {
    resized_ = Document.Selection()[0];
    const Transform* t = Document.Object(resized_)->GetComponent<Transform>();
    fixedCorner_ = 2.0f * t->Position - *corner;
    resizeStartPosition_ = t->Position;
    resizeStartScale_ = t->Scale;
    gesture_ = Gesture::Resize;
    return;
  }
  const std::optional<EditorHandle> hit = Document.HandleAt(world);
  if (!hit) {
    gesture_ = Gesture::Box;
  } else if (adding_) {
    Document.SelectAt(world, true);
    gesture_ = Gesture::None;
  } else {
    if (!Document.IsSelected(*hit)) Document.Select({*hit});
    Document.BeginDrag();
    gesture_ = Gesture::Drag;
  }
}

void EditorSession::PointerMove(Vec2 world, std::uint16_t modifiers) {
  pointer_ = world;
  if (gesture_ == Gesture::Drag) {
    Document.DragBy(world - pressedAt_, GridOn && !Modifier(modifiers, KMOD_ALT));
  } else if (gesture_ == Gesture::Resize) {
    if (GameObject* object = Document.Object(resized_)) {
      Transform* t = object->GetComponent<Transform>();
      const Vec2 corner = Snapped(world, modifiers);
      t->Position = (fixedCorner_ + corner) * 0.5f;
      t->Scale = glm::abs(corner - fixedCorner_);
    }
  } else if (gesture_ == Gesture::Pan && View) {
    // The point grabbed stays under the pointer.
    View->Position.x += pressedAt_.x - world.x;
    View->Position.y += pressedAt_.y - world.y;
  }
}

void EditorSession::PointerUp(Vec2 world, std::uint8_t button, std::uint16_t modifiers) {
  PointerMove(world, modifiers);
  if (button == SDL_BUTTON_MIDDLE && gesture_ == Gesture::Pan) gesture_ = Gesture::None;
  if (button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT) return;
  if (gesture_ == Gesture::Drag) {
    Document.EndDrag();
  } else if (gesture_ == Gesture::Resize) {
    if (GameObject* object = Document.Object(resized_)) {
      // Back to where it started, so the step records the box before the resize.
      Transform* t = object->GetComponent<Transform>();
      t->Position = resizeStartPosition_;
      t->Scale = resizeStartScale_;
      Document.Resize(resized_, fixedCorner_, Snapped(world, modifiers));
    }
  } else if (gesture_ == Gesture::Box) {
    const Vec2 extent = glm::abs(world - pressedAt_);
    const float slop = ViewHeight() * kClickSlop;
    if (extent.x <= slop && extent.y <= slop) {
      if (!adding_) Document.Select({});
    } else {
      Document.SelectBox(pressedAt_, world, adding_);
    }
  }
  gesture_ = Gesture::None;
}

std::optional<Vec2> EditorSession::CornerAt(Vec2 world) const {
  if (Document.Selection().size() != 1) return std::nullopt;
  const GameObject* object = Document.Object(Document.Selection()[0]);
  const Transform* t = object ? object->GetComponent<Transform>() : nullptr;
  if (t == nullptr) return std::nullopt;
  const Vec2 half = glm::abs(t->Scale) * 0.5f;
  for (const Vec2& side : kCornerSides) {
    const Vec2 corner = t->Position + half * side;
    const Vec2 off = glm::abs(world - corner);
    if (off.x <= HandleSize() && off.y <= HandleSize()) return corner;
  }
  return std::nullopt;
}

float EditorSession::HandleSize() const { return ViewHeight() * kHandleSize; }

Vec2 EditorSession::Snapped(Vec2 world, std::uint16_t modifiers) const {
  const float grid = Document.GridSize;
  if (!GridOn || grid <= 0.0f || Modifier(modifiers, KMOD_ALT)) return world;
  return glm::round(world / grid) * grid;
}

void EditorSession::Wheel(float steps, Vec2 world) {
  if (!open_ || View == nullptr || steps == 0.0f) return;
  if (Palette.Scroll(*View, world, steps) || Properties.Scroll(Document, *View, world, steps)) return;
  const float height = std::clamp(View->ViewHalfHeight / std::pow(kZoomPerNotch, steps), kNearestView, kFarthestView);
  const float ratio = height / View->ViewHalfHeight;
  View->Position.x = world.x + (View->Position.x - world.x) * ratio;
  View->Position.y = world.y + (View->Position.y - world.y) * ratio;
  View->ViewHalfWidth *= ratio;
  View->ViewHalfHeight = height;
  View->RebuildMatrices();
}

// Drawing ------------------------------------------------------------------------------------

void EditorSession::Draw(Graphics& graphics) const {
  if (!HoldsCamera()) return;
  const Camera& camera = graphics.Camera;
  AssetStore::UseProgram(AssetStore::Instance().Program("Basic"));
  const Mat4 world = graphics.ModelMatrix({0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, 0.0f);
  // What the window shows, in world units (the view's extents are its full size).
  const Vec2 low{camera.Position.x - camera.ViewHalfWidth * 0.5f, camera.Position.y - camera.ViewHalfHeight * 0.5f};
  const Vec2 high{camera.Position.x + camera.ViewHalfWidth * 0.5f, camera.Position.y + camera.ViewHalfHeight * 0.5f};
  if (GridOn && Document.GridSize > 0.0f) {
    float gap = Document.GridSize;
    while (gap < camera.ViewHalfHeight * kGridLineGap) gap *= kGridThinning;
    for (float x = std::ceil(low.x / gap) * gap; x <= high.x; x += gap) DrawSegment(graphics, world, {x, low.y}, {x, high.y}, kGrid);
    for (float y = std::ceil(low.y / gap) * gap; y <= high.y; y += gap) DrawSegment(graphics, world, {low.x, y}, {high.x, y}, kGrid);
  }
  if (gesture_ == Gesture::Box) {
    const Vec2 a = pressedAt_, b = pointer_;
    DrawSegment(graphics, world, a, {b.x, a.y}, kBox);
    DrawSegment(graphics, world, {b.x, a.y}, b, kBox);
    DrawSegment(graphics, world, b, {a.x, b.y}, kBox);
    DrawSegment(graphics, world, {a.x, b.y}, a, kBox);
  }
  for (EditorHandle handle : Document.Selection()) {
    const GameObject* object = Document.Object(handle);
    const Transform* t = object ? object->GetComponent<Transform>() : nullptr;
    if (t == nullptr) continue;
    DrawOutline(graphics, graphics.ModelMatrix({t->Position.x, t->Position.y, kMarkZ}, {t->Scale.x, t->Scale.y, 1.0f}, t->Rotation),
                kSelected);
  }
  if (Document.Selection().size() == 1) {
    const GameObject* object = Document.Object(Document.Selection()[0]);
    if (const Transform* t = object ? object->GetComponent<Transform>() : nullptr) DrawHandles(graphics, *t, HandleSize());
  }
  // The instanced draw expects the unit quad back in the quad buffer.
  DrawOutline(graphics, Mat4(), kInvisible);
  glBindVertexArray(0);

  std::string status = std::string("EDITOR  ") + (GridOn ? "grid on" : "grid off") + "  " +
                             std::to_string(Document.Selection().size()) + " selected" +
                             (Document.Modified() ? "  unsaved" : "");
  std::string hidden;
  for (std::size_t band = 0; band < EditorDocument::kBands; ++band) {
    if (!Document.BandShown(static_cast<EditorDocument::Band>(band))) hidden += std::string(" ") + kBandNames[band];
  }
  if (!hidden.empty()) status += "  hidden:" + hidden;
  status += "  F1 keys";
  Palette.Draw(graphics);
  Properties.Draw(graphics, Document);
  const float margin = camera.ViewHalfHeight * kStatusMargin;
  // Shown as it is: the status is put together here, never looked up in the dictionary.
  graphics.Text.RenderShownText(Wide(status), low.x + margin, high.y - margin * kStatusLines, kStatusTextSize,
                                kKeyText, TextLook::Outlined);
  if (keyCard_) DrawKeyCard(graphics);
}

void EditorSession::DrawKeyCard(Graphics& graphics) const {
  const Camera& camera = graphics.Camera;
  // The card keeps its size on screen whatever the zoom.
  const float zoom = playView_ ? camera.ViewHalfHeight / playView_->ViewHalfHeight : 1.0f;
  const float size = kCardTextSize * zoom;
  const float letter = graphics.Text.TextWidth(u"M", size);
  std::size_t widest = 0;
  for (const KeyLine& line : kKeyCard) widest = std::max(widest, std::string(line.Does).size());
  const Vec2 extent{letter * (static_cast<float>(kCardKeyColumn + widest) + 2.0f * kCardPadding),
                    letter * (kCardLineGap * static_cast<float>(kKeyCard.size()) + 2.0f * kCardPadding)};
  const Vec2 centre{camera.Position.x, camera.Position.y};

  AssetStore::UseProgram(AssetStore::Instance().Program("Basic"));
  graphics.DrawImmediate(graphics.ModelMatrix({centre.x, centre.y, kMarkZ}, {extent.x, extent.y, 1.0f}, 0.0f),
                         Graphics::UnitQuad, kCard.data(), Graphics::ImmediateQuad);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  DrawOutline(graphics, graphics.ModelMatrix({centre.x, centre.y, kMarkZ}, {extent.x, extent.y, 1.0f}, 0.0f),
              kSelected);
  glBindVertexArray(0);

  const float left = centre.x - extent.x * 0.5f + letter * kCardPadding;
  float baseline = centre.y + extent.y * 0.5f - letter * (kCardPadding + kCardLineGap * 0.5f);
  for (const KeyLine& line : kKeyCard) {
    graphics.Text.RenderShownText(Wide(line.Keys), left, baseline, size, kKeyText, TextLook::Outlined);
    graphics.Text.RenderShownText(Wide(line.Does), left + letter * static_cast<float>(kCardKeyColumn), baseline, size,
                                  Color3{1.0f, 1.0f, 1.0f}, TextLook::Outlined);
    baseline -= letter * kCardLineGap;
  }
}

}  // namespace Framework
