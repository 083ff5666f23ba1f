// The main-menu world behind the menus: at every window shape from 4:3 to 21:9,
// each menu that stands in it (all but the pause menu, which holds a play level)
// shows the meadow and some of its life (the hero, crates, an enemy, the saw) clear
// of its buttons, title panel and picture, and not covered by its tint; nothing
// alive in view stands half hidden behind a menu. Uses the shipped level and
// textures; needs a display (the tests run a virtual one).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "game/Startup.h"
#include "graphics/AssetStore.h"
#include "graphics/Graphics.h"
#include "levels/LevelSlots.h"
#include "levels/Serialization.h"
#include "menus/MenuSystem.h"
#include "objects/Factory.h"
#include "objects/Transform.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

struct Rect {
  float left, bottom, right, top;
  static Rect Around(Vec3 centre, float width, float height) {
    return {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2, centre.y + height / 2};
  }
  bool Overlaps(const Rect& o) const { return left < o.right && o.left < right && bottom < o.top && o.bottom < top; }
  bool Inside(const Rect& o) const { return left >= o.left && right <= o.right && bottom >= o.bottom && top <= o.top; }
};

// Room for the glide, which ends near its target, and for the drift, in world units.
constexpr float kMargin = 0.5f;
// The world's life by its look (level files keep no names), and its meadow.
const std::map<std::string, std::string> kKinds = {
    {"player", "hero"}, {"crate", "crate"}, {"container2", "enemy"}, {"saw", "saw"}, {"ground-grass", "meadow"}};

int Distance(Pixel a, Pixel b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }

class MenuWorldTest : public ::testing::Test {
 protected:
  void SetUp() override { StartGame(); }
  void TearDown() override { StopGame(); }

  // Builds the menus for a window of this shape, with the main menu open in its world.
  void OpenMainMenuAt(float aspect) {
    Camera& camera = Graphics::Instance().Camera;
    camera.ViewHalfWidth = camera.ViewHalfHeight * aspect;
    camera.Position = {};
    camera.RebuildMatrices();
    menus.Initialize();
    Serialization::Instance().EnterMainMenu();
    ASSERT_EQ(Serialization::Instance().CurrentLevel, LevelSlot::MainMenu);
  }

  // Whether the menu's buttons, title panel or the opaque texels of its picture cover r.
  static bool Hidden(const Menu& menu, const Rect& r) {
    for (const auto& [index, b] : menu.Buttons) {
      if (r.Overlaps(Rect::Around(b->Position, b->Scale.x, b->Scale.y))) return true;
    }
    const Vec3& panel = menu.BackgroundScale;
    if (menu.Background.BuffersMade && r.Overlaps(Rect::Around(menu.BackgroundPosition, panel.x, panel.y))) return true;
    const TextureData* picture = menu.Header.Filename.empty() ? nullptr : menu.Header.TextureRef;
    if (picture == nullptr || !picture->Pixels) return false;
    const Rect whole = Rect::Around(menu.HeaderPosition, menu.HeaderScale.x, menu.HeaderScale.y);
    for (float x = r.left; x <= r.right; x += 0.25f) {
      for (float y = r.bottom; y <= r.top; y += 0.25f) {
        const int px = std::clamp(static_cast<int>((x - whole.left) / menu.HeaderScale.x * picture->Width), 0,
                                  picture->Width - 1);
        const int py = std::clamp(static_cast<int>((whole.top - y) / menu.HeaderScale.y * picture->Height), 0,
                                  picture->Height - 1);
        if (picture->Pixels.get()[(static_cast<std::size_t>(py) * picture->Width + px) * 4 + 3] > 25) return true;
      }
    }
    return false;
  }

  // The mean colour drawn over a small patch around a world position (so that the
  // drift's fraction of a pixel does not matter), with the view on the menu.
  Pixel DrawnAt(const Menu& menu, Vec2 at) {
    Graphics& graphics = Graphics::Instance();
    Camera& camera = graphics.Camera;
    camera.Position = menu.HeaderPosition;
    camera.Panning = false;
    graphics.DrawFrame(0.0f);
    const PixelFrame frame = ReadBackBuffer();
    const int x = static_cast<int>(((at.x - camera.Position.x) / camera.ViewHalfWidth + 0.5f) * frame.Width);
    const int y = static_cast<int>(((at.y - camera.Position.y) / camera.ViewHalfHeight + 0.5f) * frame.Height);
    Pixel mean;
    const int r = frame.Height / 100, count = (2 * r + 1) * (2 * r + 1);
    for (int py = y - r; py <= y + r; ++py) {
      for (int px = x - r; px <= x + r; ++px) mean.R += frame.At(px, py).R, mean.G += frame.At(px, py).G, mean.B += frame.At(px, py).B;
    }
    return Pixel{mean.R / count, mean.G / count, mean.B / count, 255};
  }
  // The same with the menus closed.
  Pixel DrawnWithoutMenuAt(const Menu& menu, Vec2 at) {
    const std::int32_t open = menus.CurrentMenu;
    menus.CurrentMenu = MenuId::None;
    const Pixel pixel = DrawnAt(menu, at);
    menus.CurrentMenu = open;
    return pixel;
  }

  MenuSystem& menus = MenuSystem::Instance();
};

TEST_F(MenuWorldTest, TheMeadowAndItsLifeShowBehindEveryMenuAtEveryWindowShape) {
  for (float aspect : {4.0f / 3.0f, 16.0f / 10.0f, 16.0f / 9.0f, 21.0f / 9.0f}) {
    OpenMainMenuAt(aspect);
    for (std::int32_t id : {MenuId::Main, MenuId::Confirm, MenuId::HowToPlay, MenuId::Options, MenuId::LevelSelect}) {
      // Opened from the main menu, the way its buttons open them, with the view on it.
      Camera& camera = Graphics::Instance().Camera;
      camera.Position = menus.FindMenu(MenuId::Main)->HeaderPosition;
      menus.SetMenu(MenuId::Main);
      if (id != MenuId::Main) menus.SetMenu(id);
      const Menu& menu = *menus.FindMenu(id);
      const Rect view = Rect::Around(menu.HeaderPosition, camera.ViewHalfWidth - 2 * kMargin,
                                     camera.ViewHalfHeight - 2 * kMargin);
      const std::string where = "menu " + std::to_string(id) + " at aspect " + std::to_string(aspect);
      std::map<std::string, Vec2> seen;  // each kind seen whole, with where one of them stands
      for (const auto& [key, object] : Factory::Instance().Objects) {
        const auto* t = object->GetComponent<Transform>();
        const auto* s = object->GetComponent<Sprite>();
        const auto kind = s != nullptr ? kKinds.find(s->Filename) : kKinds.end();
        if (t == nullptr || kind == kKinds.end() || s->Alpha <= 0.0f) continue;
        const Rect r = Rect::Around({t->Position.x, t->Position.y, 0.0f}, t->Scale.x, t->Scale.y);
        const bool hidden = Hidden(menu, r);
        if (r.Inside(view) && !hidden) seen.emplace(kind->second, t->Position);
        if (hidden && kind->second != "meadow" && r.Overlaps(view)) {
          ADD_FAILURE() << where << ": a " << kind->second << " at x " << t->Position.x << " stands behind the menu";
        }
      }
      EXPECT_TRUE(seen.count("meadow")) << where;
      ASSERT_GE(seen.size(), 3u) << where << ": too little life in view";
      // Nothing the menu lays over the whole view (its tint) hides them.
      const Vec2 life = seen.begin()->second;
      EXPECT_LT(Distance(DrawnAt(menu, life), DrawnWithoutMenuAt(menu, life)), 20) << where;
      if (id == MenuId::HowToPlay) {
        // Its picture shows, whole, over the see-through tint.
        const Vec2 onPanel{menu.HeaderPosition.x, menu.HeaderPosition.y + menu.HeaderScale.y / 4};
        EXPECT_GT(Distance(DrawnAt(menu, onPanel), DrawnWithoutMenuAt(menu, onPanel)), 100) << where;
      }
    }
  }
}

}  // namespace
}  // namespace Framework
