// Menu and in-game interface textures: buttons, banners, the logo, the cursor
// and the throw indicator.
#include "Lettering.h"
#include "Painters.h"
#include "Palette.h"
#include "TextureSet.h"

#include <string>

namespace Framework::Art {

namespace {

constexpr int kButtonW = 160, kButtonH = 36;

// The menu renderer stretches one button texture over buttons of several
// shapes and draws its own label on top, so the plain buttons keep a wide,
// quiet face in the game's button colour.
Canvas ButtonFrame(bool lit) {
  Canvas c(kButtonW, kButtonH);
  DrawPanel(c, 0, 0, kButtonW, kButtonH, lit ? Pal::TealLight : Pal::Teal, lit ? Pal::Aqua : Pal::TealLight,
            Pal::Navy);
  if (lit) {
    // Selection markers pointing at the label.
    c.OutlineRect(2, 2, kButtonW - 4, kButtonH - 4, Pal::Lemon);
    c.FillPolygon({{6, 12}, {12, 18}, {6, 24}}, Pal::Lemon);
    c.FillPolygon({{kButtonW - 6.0f, 12}, {kButtonW - 12.0f, 18}, {kButtonW - 6.0f, 24}}, Pal::Lemon);
  }
  return c;
}

const TextLook kButtonWord{Pal::Mint, Pal::Ink, Pal::Navy, {}, 1};
const TextLook kBannerWord{Pal::Lemon, Pal::Ink, Pal::Navy, Pal::Gold, 1};

Canvas WordButton(const PixelFont& font, const std::string& word) {
  Canvas c = ButtonFrame(false);
  const int size = font.Measure(word, 16) <= kButtonW - 12 ? 16 : 8;
  DrawTextCentered(c, font, kButtonW / 2, (kButtonH - size * 7 / 8) / 2, word, size, kButtonWord);
  return c;
}

enum class Icon { Next, Previous, Home };

// The "alt" buttons: warm orange, an icon beside the word.
Canvas AltButton(const PixelFont& font, const std::string& word, Icon icon) {
  const int w = 192;
  Canvas c(w, kButtonH);
  DrawPanel(c, 0, 0, w, kButtonH, Pal::Orange, Pal::Gold, Pal::Red);
  const int textW = font.Measure(word, 16);
  const int iconW = 14, gap = 6;
  int x = (w - textW - iconW - gap) / 2;
  Canvas glyph(iconW, 16);
  switch (icon) {
    case Icon::Next: glyph.FillPolygon({{1, 1}, {12, 8}, {1, 15}}, Pal::Snow); break;
    case Icon::Previous: glyph.FillPolygon({{12, 1}, {1, 8}, {12, 15}}, Pal::Snow); break;
    case Icon::Home:
      glyph.FillPolygon({{0, 7}, {7, 0}, {14, 7}}, Pal::Snow);
      glyph.FillRect(2, 7, 10, 8, Pal::Snow);
      glyph.FillRect(6, 10, 3, 5, Pal::Red);
      break;
  }
  glyph.Outline(Pal::Ink);
  const TextLook look{Pal::Snow, Pal::Ink, Pal::Red, {}, 1};
  if (icon == Icon::Previous) {
    c.Blit(glyph, x, 10);
    DrawText(c, font, x + iconW + gap, 11, word, 16, look);
  } else if (icon == Icon::Next) {
    DrawText(c, font, x, 11, word, 16, look);
    c.Blit(glyph, x + textW + gap, 10);
  } else {
    c.Blit(glyph, x, 9);
    DrawText(c, font, x + iconW + gap, 11, word, 16, look);
  }
  return c;
}

// A ribbon banner carrying a heading.
Canvas Banner(const PixelFont& font, const std::string& word) {
  const int w = 192, h = 40;
  Canvas c(w, h);
  // Folded tails behind the ribbon.
  for (int side = 0; side < 2; ++side) {
    Canvas tail(24, 24);
    tail.FillPolygon({{0, 0}, {24, 0}, {24, 24}, {0, 24}, {8, 12}}, Pal::TealLight);
    tail.FillRect(16, 18, 8, 6, Pal::Navy);
    tail.Outline(Pal::Ink);
    Canvas placed(24, 24);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) placed.Set(side == 0 ? x : 23 - x, y, tail.Get(x, y));
    c.Blit(placed, side == 0 ? 0 : w - 24, 14);
  }
  DrawPanel(c, 12, 2, w - 24, 30, Pal::Teal, Pal::TealLight, Pal::Navy);
  DrawTextCentered(c, font, w / 2, 9, word, 16, kBannerWord);
  return c;
}

Canvas Logo(const PixelFont& font) {
  const std::string title = "TUMBRIX";
  const int size = 32;
  const int textW = font.Measure(title, size);
  Canvas c(textW + 40, 44);
  // A two-pixel rim: one ink pixel is thin next to four-pixel letter strokes.
  DrawText(c, font, 5, 7, title, size, TextLook{Pal::Lemon, Pal::Ink, Pal::Red, Pal::Orange, 3, 2});
  Canvas bomb = PaintBomb().Upscaled(2);
  c.Blit(bomb, textW + 10, 12);
  return c;
}

Canvas Cursor() {
  // The arrow's tip is the texture's top left corner: the renderer puts that corner on the mouse.
  Canvas c(16, 16);
  c.FillPolygon({{0, 0}, {0, 13}, {3.5f, 10}, {6, 15}, {8.5f, 14}, {6.2f, 9}, {10.5f, 9}}, Pal::Snow);
  c.Outline(Pal::Ink);
  c.Set(0, 0, Pal::Ink);
  for (int y = 1; y < 12; ++y) if (c.Get(0, y) == Pal::Snow) c.Set(0, y, Pal::Ink);
  return c;
}

// An arrow pointing along +x with a pip for each bomb still in hand.
Canvas ThrowIndicator(int bombsLeft) {
  Canvas c(32, 16);
  const Rgba body = bombsLeft > 0 ? Pal::Lemon : Pal::Mist;
  const Rgba shade = bombsLeft > 0 ? Pal::Gold : Pal::Slate;
  c.FillRect(1, 4, 22, 8, body);
  c.FillRect(1, 10, 22, 2, shade);
  c.FillPolygon({{21, 0.5f}, {31, 8}, {21, 15.5f}}, body);
  c.Outline(Pal::Ink);
  for (int i = 0; i < 3; ++i) {
    const int x = 3 + i * 6;
    const bool full = i < bombsLeft;
    c.FillRect(x, 5, 4, 4, Pal::Ink);
    if (full) { c.FillRect(x + 1, 6, 2, 2, Pal::Red); c.Set(x + 1, 6, Pal::Orange); }
    else c.FillRect(x + 1, 6, 2, 2, shade);
  }
  return c;
}

Canvas QuitConfirmation(const PixelFont& font) {
  Canvas c(192, 64);
  DrawPanel(c, 0, 0, 192, 64, Pal::Teal, Pal::TealLight, Pal::Navy);
  DrawTextCentered(c, font, 96, 14, "QUIT GAME?", 16, kBannerWord);
  DrawTextCentered(c, font, 96, 40, "REALLY?", 8, TextLook{Pal::Snow, Pal::Ink, {}, {}, 1});
  return c;
}

}  // namespace

void AddInterfaceTextures(TextureList& list) {
  list.push_back({"empty-button", [](const PixelFont&) { return ButtonFrame(false); }});
  list.push_back({"empty-button-pressed", [](const PixelFont&) { return ButtonFrame(true); }});
  list.push_back({"empty-button-gray", [](const PixelFont&) {
                    // The panel behind menu titles, which are drawn on it in yellow.
                    Canvas c(112, 48);
                    DrawPanel(c, 0, 0, 112, 48, Pal::Night, Pal::Slate, Pal::Ink);
                    c.OutlineRect(3, 3, 106, 42, Pal::Slate);
                    return c;
                  }});
  const std::pair<const char*, const char*> words[] = {
      {"back-button", "BACK"},  {"mainmenu-button", "MAIN MENU"}, {"no-button", "NO"},
      {"options-button", "OPTIONS"}, {"quit-button", "QUIT"},     {"yes-button", "YES"},
      {"start-button", "START"},
  };
  for (const auto& [name, word] : words) {
    const std::string w = word;
    list.push_back({name, [w](const PixelFont& f) { return WordButton(f, w); }});
  }
  list.push_back({"mainmenu_alt", [](const PixelFont& f) { return AltButton(f, "MAIN MENU", Icon::Home); }});
  list.push_back({"next_alt", [](const PixelFont& f) { return AltButton(f, "NEXT", Icon::Next); }});
  list.push_back({"previous_alt", [](const PixelFont& f) { return AltButton(f, "PREVIOUS", Icon::Previous); }});
  list.push_back({"options-header", [](const PixelFont& f) { return Banner(f, "OPTIONS"); }});
  list.push_back({"paused", [](const PixelFont& f) { return Banner(f, "PAUSED"); }});
  list.push_back({"quit-confirmation", [](const PixelFont& f) { return QuitConfirmation(f); }});
  list.push_back({"tumbrix-logo", [](const PixelFont& f) { return Logo(f); }});
  list.push_back({"KIV_cursor", [](const PixelFont&) { return Cursor(); }});
  list.push_back({"throw_indicator", [](const PixelFont&) { return ThrowIndicator(0); }});
  for (int n = 1; n <= 3; ++n)
    list.push_back({"throw_indicator_" + std::to_string(n), [n](const PixelFont&) { return ThrowIndicator(n); }});
}

}  // namespace Framework::Art
