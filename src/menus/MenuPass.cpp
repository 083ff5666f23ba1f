// The menu pass: every shown menu drawn over the world in the menus' order, each
// as header, title panel, picture, title, then buttons with outlines and labels.
#include <array>

#include <GL/glew.h>

#include "graphics/AssetStore.h"
#include "graphics/Graphics.h"
#include "menus/MenuLook.h"
#include "menus/MenuSystem.h"

namespace Framework {
namespace {

constexpr float kUnitQuad[12] = {
    -0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f,
};

std::array<float, 16> FourTimes(Color3 color, float alpha) {
  return {color.R, color.G, color.B, alpha, color.R, color.G, color.B, alpha,
          color.R, color.G, color.B, alpha, color.R, color.G, color.B, alpha};
}

bool SameColor(Color3 a, Color3 b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

Vec3 Flat(Vec3 scale) { return {scale.x, scale.y, 1.0f}; }

}  // namespace

void MenuSystem::Draw(Graphics& graphics) {
  AssetStore& store = AssetStore::Instance();
  const ShaderProgram& basic = store.Program("Basic");
  const ShaderProgram& texture = store.Program("Texture");
  const Camera& camera = graphics.Camera;
  bool tinted = false;

  for (auto& [id, menu] : Menus) {
    if (!menu->Shown) continue;
    if (!tinted) {
      // One view-sized tint under the menus, over the world; it keeps the depth
      // test so that texts already on screen stay readable through it.
      tinted = true;
      AssetStore::UseProgram(basic);
      const auto colors = FourTimes(menu->Header.Color, menu->Header.Alpha);
      graphics.DrawImmediate(graphics.ModelMatrix(camera.Position, menu->HeaderScale, 0.0f), kUnitQuad, colors.data(), 4);
      glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
      glBindVertexArray(0);
    }
    // The parts of a menu share one depth; among themselves they are painted in
    // order (panel, picture, title, button, outline, label), later over earlier.
    glDepthFunc(GL_ALWAYS);
    menu->Background.Draw(texture, graphics.ModelMatrix(menu->BackgroundPosition, Flat(menu->BackgroundScale), 0.0f),
                          MenuDepth);
    if (!menu->Header.Filename.empty()) {
      // The header's colour and alpha are the tint's: the picture itself shows as painted,
      // also where the tint is see-through (how to play, opened from the main menu).
      menu->Header.Draw(texture, graphics.ModelMatrix(menu->HeaderPosition, Flat(menu->HeaderScale), 0.0f), MenuDepth,
                        MenuLook::PictureTint, MenuLook::PictureAlpha);
    }
    if (!menu->Title.empty()) {
      graphics.RenderText(menu->Title, menu->TitlePosition.x, menu->TitlePosition.y, menu->TitleSize,
                          menu->TitleColor);
    }
    for (auto& [index, button] : menu->Buttons) {
      if (index > menu->ButtonCount) break;
      const Mat4 model = graphics.ModelMatrix(button->Position, Flat(button->Scale), 0.0f);
      const Sprite& look = button->Look;
      if (look.Filename.empty()) {
        AssetStore::UseProgram(basic);
        const auto colors = FourTimes(look.Color, look.Alpha);
        graphics.DrawImmediate(model, kUnitQuad, colors.data(), 4);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        glBindVertexArray(0);
      } else {
        look.Draw(texture, model, MenuDepth);
      }
      if (!SameColor(look.Color, MenuLook::NoOutlineColor)) {
        AssetStore::UseProgram(basic);
        const auto black = FourTimes({0.0f, 0.0f, 0.0f}, 1.0f);
        graphics.DrawImmediate(model, kUnitQuad, black.data(), 4);
        glDrawArrays(GL_LINE_LOOP, 0, 4);
        glBindVertexArray(0);
      }
      if (!button->Label.empty()) {
        graphics.RenderText(button->Label, button->LabelPosition.x, button->LabelPosition.y, button->LabelSize,
                            button->LabelColor);
      }
    }
    glDepthFunc(GL_LESS);
  }
}

}  // namespace Framework
