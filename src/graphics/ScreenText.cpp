#include "graphics/ScreenText.h"


#include "graphics/AssetStore.h"
#include "graphics/FontFace.h"
#include "graphics/Camera.h"
#include "levels/Localisation.h"

namespace Framework {
namespace {

const char* const kTextFont = "PressStart2P";
// The font is drawn on a grid of eight by eight pixels per character.
constexpr float kFontGrid = 8.0f;
// Each vertex is x, y, u, v.
constexpr std::size_t kFloatsPerVertex = 4;

}  // namespace

void ScreenText::RenderText(const std::u16string& text, float x, float y, float size, Color3 color,
                            TextLook look) {
  RenderShownText(Localisation::Instance().Translate(text), x, y, size, color, look);
}

void ScreenText::RenderShownText(const std::u16string& shown, float x, float y, float size, Color3 color,
                                 TextLook look) {
  if (shown.empty()) return;
  AssetStore& store = AssetStore::Instance();
  FontFace& font = store.Font(kTextFont);
  const ShaderProgram& program = store.Program("Font");
  // World units per glyph pixel.
  const float scale = size / static_cast<float>(FontFace::PixelHeight) / font.TextScale;
  const float penX = x - camera_.Position.x;
  const float penY = y - camera_.Position.y;

  // Every quad of the text, outline and letters, goes into the buffer at once before
  // any is drawn: rewriting a buffer the renderer still has to draw from would make
  // it finish all the drawing queued so far first.
  vertices_.clear();
  if (look == TextLook::Outlined) {
    // The outline is the letters shifted one font pixel (an eighth of a character)
    // each way, painted first so that the letters cover it.
    const float pixel = TextWidth(u"M", size) / kFontGrid;
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (dx != 0 || dy != 0) {
          LayOutGlyphs(shown, font, penX + static_cast<float>(dx) * pixel, penY + static_cast<float>(dy) * pixel,
                       scale);
        }
      }
    }
  }
  const auto outline = static_cast<GLsizei>(vertices_.size() / kFloatsPerVertex);
  LayOutGlyphs(shown, font, penX, penY, scale);
  const auto total = static_cast<GLsizei>(vertices_.size() / kFloatsPerVertex);
  if (total == 0) return;

  AssetStore::UseProgram(program);
  if (font.ProjectionLocation < 0) font.ProjectionLocation = glGetUniformLocation(program.Program, "projection");
  if (font.TextColorLocation < 0) font.TextColorLocation = glGetUniformLocation(program.Program, "textColor");
  const Mat4 transform = camera_.Projection * camera_.View;
  glUniformMatrix4fv(font.ProjectionLocation, 1, GL_FALSE, transform.Data());
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, font.Atlas);
  glBindVertexArray(font.Vao);
  glBindBuffer(GL_ARRAY_BUFFER, font.Vbo);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(float)), vertices_.data(),
               GL_STREAM_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  if (outline > 0) {
    glUniform3f(font.TextColorLocation, OutlineColor.R, OutlineColor.G, OutlineColor.B);
    glDrawArrays(GL_TRIANGLES, 0, outline);
  }
  glUniform3f(font.TextColorLocation, color.R, color.G, color.B);
  glDrawArrays(GL_TRIANGLES, outline, total - outline);
  glBindVertexArray(0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void ScreenText::LayOutGlyphs(const std::u16string& shown, const FontFace& font, float penX, float penY,
                              float scale) {
  for (char16_t code : shown) {
    auto it = font.Glyphs.find(code);
    // A character outside the cache draws nothing and does not move the pen.
    if (it == font.Glyphs.end()) continue;
    const Glyph& glyph = it->second;
    const float left = penX + static_cast<float>(glyph.Bearing.x) * scale;
    const float bottom = penY - static_cast<float>(glyph.Size.y - glyph.Bearing.y) * scale;
    const float right = left + static_cast<float>(glyph.Size.x) * scale;
    const float top = bottom + static_cast<float>(glyph.Size.y) * scale;
    penX += static_cast<float>(glyph.Advance >> 6) * scale;
    if (glyph.Size.x == 0 || glyph.Size.y == 0) continue;  // a space: nothing to draw
    vertices_.insert(vertices_.end(), {
                                          left,  top,    glyph.U0, glyph.V0,  //
                                          left,  bottom, glyph.U0, glyph.V1,  //
                                          right, bottom, glyph.U1, glyph.V1,  //
                                          left,  top,    glyph.U0, glyph.V0,  //
                                          right, bottom, glyph.U1, glyph.V1,  //
                                          right, top,    glyph.U1, glyph.V0,
                                      });
  }
}

void ScreenText::RenderTextNarrow(const std::string& text, float x, float y, float size, Color3 color,
                                  TextLook look) {
  std::u16string wide;
  wide.reserve(text.size());
  // Each byte becomes one character by sign extension, so bytes above 127 land on
  // codes the glyph cache does not hold and draw as nothing.
  for (char byte : text) {
    wide.push_back(static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(byte))));
  }
  RenderText(wide, x, y, size, color, look);
}

float ScreenText::TextWidth(const std::u16string& text, float size) const {
  const FontFace& font = AssetStore::Instance().Font(kTextFont);
  // The font is monospaced: every character is one advance wide.
  return size / font.TextScale * static_cast<float>(text.size());
}

void ScreenText::OnGraphicsEvent(const GraphicsEvent& event) {
  if (event.Command != GraphicsCommand::ShowText) return;
  auto message = std::make_unique<ScreenMessage>();
  message->Command = event.Command;
  message->Text = event.Text;
  message->Size = event.Size;
  message->X = event.X;
  message->Y = event.Y;
  message->Elapsed = event.Elapsed;
  message->Lifetime = event.Lifetime;
  message->Color = event.Color;
  Messages.push_back(std::move(message));
}

void ScreenText::DrawMessages(float dt) {
  for (auto it = Messages.begin(); it != Messages.end();) {
    ScreenMessage& message = **it;
    RenderTextNarrow(message.Text, message.X, message.Y, message.Size, message.Color, TextLook::Outlined);
    message.Elapsed += dt;
    if (message.Lifetime <= message.Elapsed) {
      it = Messages.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace Framework
