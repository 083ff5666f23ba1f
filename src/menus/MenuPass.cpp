// The menus over the world, in the menus' order: their tint and pictures with the
// world at the art's resolution, then titles, outlines and labels at the window's.
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

// A flat-coloured unit quad under `model`, filled or outlined by `mode`.
void DrawQuad(Graphics& graphics, const ShaderProgram& basic, const Mat4& model, Color3 color, float alpha,
              GLenum mode) {
  AssetStore::UseProgram(basic);
  const auto colors = FourTimes(color, alpha);
  graphics.DrawImmediate(model, kUnitQuad, colors.data(), 4);
  glDrawArrays(mode, 0, 4);
  glBindVertexArray(0);
}

// A button's face: flat, or its picture.
void DrawButtonFace(Graphics& graphics, const ShaderProgram& basic, const ShaderProgram& texture,
                    const MenuButton& button) {
  const Mat4 model = graphics.ModelMatrix(button.Position, Flat(button.Scale), 0.0f);
  const Sprite& look = button.Look;
  if (look.Filename.empty()) {
    DrawQuad(graphics, basic, model, look.Color, look.Alpha, GL_TRIANGLE_FAN);
  } else {
    look.Draw(texture, model, MenuSystem::MenuDepth);
  }
}

// A button's outline, unless its colour says none.
void DrawButtonOutline(Graphics& graphics, const ShaderProgram& basic, const MenuButton& button) {
  if (SameColor(button.Look.Color, MenuLook::NoOutlineColor)) return;
  const Mat4 model = graphics.ModelMatrix(button.Position, Flat(button.Scale), 0.0f);
  DrawQuad(graphics, basic, model, {0.0f, 0.0f, 0.0f}, 1.0f, GL_LINE_LOOP);
}

void DrawButtonLabel(Graphics& graphics, const MenuButton& button) {
  if (button.Label.empty()) return;
  graphics.RenderText(button.Label, button.LabelPosition.x, button.LabelPosition.y, button.LabelSize,
                      button.LabelColor);
}

}  // namespace

void MenuSystem::DrawBackdrop(Graphics& graphics) {
  AssetStore& store = AssetStore::Instance();
  const ShaderProgram& basic = store.Program("Basic");
  const ShaderProgram& texture = store.Program("Texture");
  const Camera& camera = graphics.Camera;
  for (auto& [id, menu] : Menus) {
    if (!menu->Shown) continue;
    // One view-sized tint under the menus, over the world. The timed messages are
    // drawn after it, so they stay readable through it. A see-through tint (the main
    // menu's) is not drawn at all: it would change nothing, at the cost of a whole
    // screen of pixels.
    if (menu->Header.Alpha <= 0.0f) break;
    DrawQuad(graphics, basic, graphics.ModelMatrix(camera.Position, menu->HeaderScale, 0.0f), menu->Header.Color,
             menu->Header.Alpha, GL_TRIANGLE_FAN);
    break;
  }
  // The menus' pictures lie over the world whatever its depth; among themselves
  // they are painted in order (panel, picture, buttons), later over earlier.
  glDepthFunc(GL_ALWAYS);
  for (auto& [id, menu] : Menus) {
    if (!menu->Shown) continue;
    menu->Background.Draw(texture, graphics.ModelMatrix(menu->BackgroundPosition, Flat(menu->BackgroundScale), 0.0f),
                          MenuDepth);
    if (!menu->Header.Filename.empty()) {
      // The header's colour and alpha are the tint's: the picture itself shows as painted,
      // also where the tint is see-through (how to play, opened from the main menu).
      menu->Header.Draw(texture, graphics.ModelMatrix(menu->HeaderPosition, Flat(menu->HeaderScale), 0.0f), MenuDepth,
                        MenuLook::PictureTint, MenuLook::PictureAlpha);
    }
    for (auto& [index, button] : menu->Buttons) {
      if (index > menu->ButtonCount) break;
      DrawButtonFace(graphics, basic, texture, *button);
    }
  }
  glDepthFunc(GL_LESS);
}

void MenuSystem::Draw(Graphics& graphics) {
  const ShaderProgram& basic = AssetStore::Instance().Program("Basic");
  for (auto& [id, menu] : Menus) {
    if (!menu->Shown) continue;
    if (!menu->Title.empty()) {
      graphics.RenderText(menu->Title, menu->TitlePosition.x, menu->TitlePosition.y, menu->TitleSize,
                          menu->TitleColor);
    }
    // All outlines, then all labels: buttons do not overlap, and a software renderer
    // pays for every switch between the line and the text programs.
    for (auto& [index, button] : menu->Buttons) {
      if (index > menu->ButtonCount) break;
      DrawButtonOutline(graphics, basic, *button);
    }
    for (auto& [index, button] : menu->Buttons) {
      if (index > menu->ButtonCount) break;
      DrawButtonLabel(graphics, *button);
    }
  }
}

}  // namespace Framework
