// ScreenText: text on screen in the font "PressStart2P" (one textured quad per
// character, a whole text in one draw, placed in world units with (x, y) the left end of the baseline), and
// the timed messages that GraphicsEvents ask for.
// Texts over the world (messages, the frame rate) are drawn with a dark outline one
// font pixel wide, so that a light cloud or sign behind them cannot wash them out;
// menu texts sit on their own dark panels and are drawn plain.
// Invariant: every message in Messages is drawn and aged exactly once per frame
// (DrawMessages) and removed in the frame its Lifetime is reached, so a Lifetime
// of 0 is drawn exactly once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/Events.h"

namespace Framework {

class Camera;
class FontFace;

// A timed text on screen: a copy of the GraphicsEvent that asked for it.
struct ScreenMessage {
  std::int32_t Command = GraphicsCommand::None;
  std::string Text;
  float Size = 20.0f;
  float X = 0.0f, Y = 0.0f;
  float Elapsed = 0.0f;   // seconds shown so far
  float Lifetime = 0.0f;  // seconds to show; 0 is drawn exactly once
  Color3 Color;
};

// How a text is drawn: plain, or with the dark outline that keeps it readable over scenery.
enum class TextLook { Plain, Outlined };

class ScreenText {
 public:
  // The outline's colour: the near-black of the art's own outlines.
  static constexpr Color3 OutlineColor{0.08f, 0.09f, 0.14f};

  explicit ScreenText(const Camera& camera) : camera_(camera) {}

  // Text at world position (x, y), in the player's language.
  void RenderText(const std::u16string& text, float x, float y, float size, Color3 color,
                  TextLook look = TextLook::Plain);
  // Each byte widened to one character.
  void RenderTextNarrow(const std::string& text, float x, float y, float size, Color3 color,
                        TextLook look = TextLook::Plain);
  // Text exactly as given, not looked up in the dictionary: for texts put together
  // from parts that were translated one by one.
  void RenderShownText(const std::u16string& shown, float x, float y, float size, Color3 color,
                       TextLook look = TextLook::Plain);
  float TextWidth(const std::u16string& text, float size) const;

  // Keeps a copy of a ShowText event as a message; other commands show nothing.
  void OnGraphicsEvent(const GraphicsEvent& event);
  // Draws every message, ages it by dt and drops those whose time is up.
  void DrawMessages(float dt);

  std::vector<std::unique_ptr<ScreenMessage>> Messages;

 private:
  // Appends to vertices_ the quads of the glyphs the font has, pen starting at
  // (penX, penY) in camera space, scale world units per glyph pixel.
  void LayOutGlyphs(const std::u16string& shown, const FontFace& font, float penX, float penY, float scale);

  const Camera& camera_;
  // The quads (x, y, u, v per vertex) of the text being drawn; kept between calls
  // only so that their room is reused.
  std::vector<float> vertices_;
};

}  // namespace Framework
