// The main-menu world behind the menus: at every window shape from 4:3 to 21:9,
// each menu that stands in it (all but the pause menu, which holds a play level)
// shows the meadow and some of its life (the hero, crates, an enemy, the saw),
// clear of the menu's buttons, its title panel and its picture, and not covered by
// the menu's tint; and nothing alive in view stands half hidden behind the menu. Uses the shipped level and textures; needs a display (the tests
// run a virtual one).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Startup.h"
#include "graphics/AssetStore.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
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

// Half a unit of room for the glide, which ends near its target, and the drift.
constexpr float kMargin = 0.5f;
// Half the side of the patch whose colour is compared, in world units.
constexpr float kPatch = 0.4f;
// The world's life by its look (level files keep no names), and its meadow.
const std::map<std::string, std::string> kKinds = {
    {"player", "hero"}, {"crate", "crate"}, {"container2", "enemy"}, {"saw", "saw"}, {"ground-grass", "meadow"}};

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

  // What hides the world in a menu's view: its buttons, its title panel, and the
  // opaque texels of its picture.
  bool Hidden(const Menu& menu, const Rect& r) const {
    for (const auto& [index, button] : menu.Buttons) {
      if (r.Overlaps(Rect::Around(button->Position, button->Scale.x, button->Scale.y))) return true;
    }
    if (menu.Background.BuffersMade &&
        r.Overlaps(Rect::Around(menu.BackgroundPosition, menu.BackgroundScale.x, menu.BackgroundScale.y))) {
      return true;
    }
    const TextureData* picture = menu.Header.Filename.empty() ? nullptr : menu.Header.TextureRef;
    if (picture == nullptr || !picture->Pixels) return false;
    const Rect whole = Rect::Around(menu.HeaderPosition, menu.HeaderScale.x, menu.HeaderScale.y);
    for (float x = r.left; x <= r.right; x += 0.25f) {
      for (float y = r.bottom; y <= r.top; y += 0.25f) {
        const int px = std::clamp(static_cast<int>((x - whole.left) / (whole.right - whole.left) * picture->Width), 0,
                                  picture->Width - 1);
        const int py = std::clamp(static_cast<int>((whole.top - y) / (whole.top - whole.bottom) * picture->Height),
                                  0, picture->Height - 1);
        if (picture->Pixels.get()[(static_cast<std::size_t>(py) * picture->Width + px) * 4 + 3] > 25) return true;
      }
    }
    return false;
  }

  // The kinds of the world's objects seen whole in the menu's view, each with the
  // centre of one of them. Life that is in view but half hidden behind the menu
  // goes to `halfHidden`: the world's rule is that nothing alive stands there.
  std::map<std::string, Vec2> SeenIn(const Menu& menu, std::vector<std::string>& halfHidden) const {
    const Camera& camera = Graphics::Instance().Camera;
    const Rect view = Rect::Around(menu.HeaderPosition, camera.ViewHalfWidth - 2 * kMargin,
                                   camera.ViewHalfHeight - 2 * kMargin);
    std::map<std::string, Vec2> seen;
    for (const auto& [id, object] : Factory::Instance().Objects) {
      const auto* t = object->GetComponent<Transform>();
      const auto* s = object->GetComponent<Sprite>();
      if (t == nullptr || s == nullptr || s->Alpha <= 0.0f) continue;
      const auto kind = kKinds.find(s->Filename);
      if (kind == kKinds.end()) continue;
      const Rect r = Rect::Around({t->Position.x, t->Position.y, 0.0f}, t->Scale.x, t->Scale.y);
      const bool hidden = Hidden(menu, r);
      if (r.Inside(view) && !hidden) seen.emplace(kind->second, t->Position);
      if (hidden && kind->second != "meadow" && r.Overlaps(view)) {
        halfHidden.push_back(kind->second + " at " + std::to_string(t->Position.x) + ", " + std::to_string(t->Position.y));
      }
    }
    return seen;
  }

  // The mean colour drawn around a world position (over a patch, so the drift of
  // the view by a fraction of a pixel does not matter), with the camera where the
  // glide to the menu ends: with the menu open, and with no menu at all.
  std::pair<Pixel, Pixel> DrawnWithAndWithout(const Menu& menu, Vec2 at) {
    Graphics& graphics = Graphics::Instance();
    Camera& camera = graphics.Camera;
    auto drawn = [&] {
      camera.Position = menu.HeaderPosition;
      camera.Panning = false;
      graphics.DrawFrame(0.0f);
      const PixelFrame frame = ReadBackBuffer();
      const int x = static_cast<int>((at.x - camera.Position.x) / camera.ViewHalfWidth * frame.Width + frame.Width / 2);
      const int y = static_cast<int>((at.y - camera.Position.y) / camera.ViewHalfHeight * frame.Height + frame.Height / 2);
      const int r = static_cast<int>(kPatch / camera.ViewHalfHeight * frame.Height);
      Pixel mean;
      int count = 0;
      for (int py = y - r; py <= y + r; ++py) {
        for (int px = x - r; px <= x + r; ++px) {
          const Pixel& p = frame.At(px, py);
          mean.R += p.R, mean.G += p.G, mean.B += p.B, ++count;
        }
      }
      return Pixel{mean.R / count, mean.G / count, mean.B / count, 255};
    };
    const Pixel with = drawn();
    const std::int32_t open = menus.CurrentMenu;
    menus.CurrentMenu = MenuId::None;
    const Pixel without = drawn();
    menus.CurrentMenu = open;
    return {with, without};
  }

  MenuSystem& menus = MenuSystem::Instance();
};

TEST_F(MenuWorldTest, TheMeadowAndItsLifeShowBehindEveryMenuAtEveryWindowShape) {
  const float aspects[] = {4.0f / 3.0f, 16.0f / 10.0f, 16.0f / 9.0f, 21.0f / 9.0f};
  const std::int32_t inTheWorld[] = {MenuId::Main, MenuId::Confirm, MenuId::HowToPlay, MenuId::Options,
                                     MenuId::LevelSelect};
  for (float aspect : aspects) {
    OpenMainMenuAt(aspect);
    for (std::int32_t id : inTheWorld) {
      // Opened from the main menu, the way its buttons open them, with the view on it.
      Graphics::Instance().Camera.Position = menus.FindMenu(MenuId::Main)->HeaderPosition;
      menus.SetMenu(MenuId::Main);
      if (id != MenuId::Main) menus.SetMenu(id);
      const Menu& menu = *menus.FindMenu(id);
      std::vector<std::string> halfHidden;
      const std::map<std::string, Vec2> seen = SeenIn(menu, halfHidden);
      std::ostringstream where;
      where << "menu " << id << " at " << aspect << " sees";
      for (const auto& [kind, at] : seen) where << " " << kind;
      EXPECT_TRUE(seen.count("meadow")) << where.str();
      for (const std::string& behind : halfHidden) ADD_FAILURE() << where.str() << "; behind the menu: " << behind;
      ASSERT_GE(seen.size(), 3u) << where.str();
      // And nothing the menu draws over the whole view (its tint) hides them.
      const auto [with, without] = DrawnWithAndWithout(menu, std::prev(seen.end())->second);
      EXPECT_NEAR(with.R, without.R, 8) << where.str();
      EXPECT_NEAR(with.G, without.G, 8) << where.str();
      EXPECT_NEAR(with.B, without.B, 8) << where.str();
      if (id == MenuId::HowToPlay) {
        // Its picture is shown whole over the see-through tint.
        const Vec2 onPanel{menu.HeaderPosition.x, menu.HeaderPosition.y + menu.HeaderScale.y / 4};
        const auto [panel, sky] = DrawnWithAndWithout(menu, onPanel);
        EXPECT_GT(std::abs(panel.R - sky.R) + std::abs(panel.G - sky.G) + std::abs(panel.B - sky.B), 100);
      }
    }
  }
}

}  // namespace
}  // namespace Framework
