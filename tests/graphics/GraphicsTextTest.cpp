// Text drawing, read back from the frame buffer: where glyphs land, how the pen
// advances, what draws nothing, translation, the width the menus centre by, and
// the outlined texts over the world (messages and the frame rate).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/EventSystem.h"
#include "graphics/AssetStore.h"
#include "graphics/DebugOverlay.h"
#include "graphics/Graphics.h"
#include "levels/Localisation.h"
#include "support/Capture.h"
#include "support/GlFixture.h"

namespace Framework {
namespace {

// The box of pixels that are clearly coloured (not background black).
struct InkBox {
  int count = 0;
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
};

class GraphicsTextTest : public GlFixture {
 protected:
  void SetUp() override {
    GlFixture::SetUp();
    Localisation::Instance().Language = 0;
    Graphics::Instance().Camera.Position = {};
  }
  static InkBox Ink(const PixelFrame& frame) {
    InkBox box;
    for (int y = 0; y < frame.Height; ++y) {
      for (int x = 0; x < frame.Width; ++x) {
        const Pixel& p = frame.At(x, y);
        if (p.R + p.G + p.B < 60) continue;
        ++box.count;
        box.minX = std::min(box.minX, x);
        box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y);
        box.maxY = std::max(box.maxY, y);
      }
    }
    return box;
  }
  InkBox Draw(const std::u16string& text, float x, float y, float size, Color3 color) {
    ClearBlack();
    Graphics::Instance().RenderText(text, x, y, size, color);
    last = ReadBackBuffer();
    return Ink(last);
  }
  PixelFrame last;
};

TEST_F(GraphicsTextTest, AGlyphLandsOnItsBaselineInItsColour) {
  // "A" at (2, 3), size 12: one glyph pixel is 12 / PixelHeight / 8 world units.
  const Glyph& a = AssetStore::Instance().Font("PressStart2P").GlyphFor(u'A');
  const float unit = 12.0f / static_cast<float>(FontFace::PixelHeight) / 8.0f;
  const InkBox box = Draw(u"A", 2.0f, 3.0f, 12.0f, {1.0f, 0.5f, 0.0f});
  ASSERT_GT(box.count, 100);
  EXPECT_NEAR(box.minX, ColumnOf(2.0f + a.Bearing.x * unit), 2.0f);
  EXPECT_NEAR(box.maxX, ColumnOf(2.0f + (a.Bearing.x + a.Size.x) * unit), 2.0f);
  EXPECT_NEAR(box.maxY, RowOf(3.0f + a.Bearing.y * unit), 2.0f);
  EXPECT_NEAR(box.minY, RowOf(3.0f - (a.Size.y - a.Bearing.y) * unit), 2.0f);
  // The middle of the left stroke carries the text colour at full coverage.
  int solid = 0;
  for (int y = box.minY; y <= box.maxY; ++y) {
    for (int x = box.minX; x <= box.maxX; ++x) {
      const Pixel& p = last.At(x, y);
      if (p.R == 255 && p.G >= 126 && p.G <= 129 && p.B == 0) ++solid;
    }
  }
  EXPECT_GT(solid, box.count / 2);
  // Text is placed in the world: moved with the camera, it lands on the same pixels.
  Graphics::Instance().Camera.Position = {5.0f, -2.0f, 0.0f};
  const InkBox moved = Draw(u"A", 7.0f, 1.0f, 12.0f, {1.0f, 0.5f, 0.0f});
  EXPECT_EQ(moved.minX, box.minX);
  EXPECT_EQ(moved.minY, box.minY);
  EXPECT_EQ(moved.count, box.count);
}

// One advance per character, drawn and measured (the width the menus centre by).
TEST_F(GraphicsTextTest, ThePenAdvancesOncePerDrawnCharacterAndTheWidthSaysSo) {
  const InkBox one = Draw(u"I", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  const InkBox two = Draw(u"II", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  // One em of advance at size 12 in 16:9: 12 / 8 = 1.5 world units.
  const float advancePixels = ColumnOf(1.5f) - ColumnOf(0.0f);
  EXPECT_NEAR(two.maxX - one.maxX, advancePixels, 1.5f);
  EXPECT_NEAR(two.count, 2 * one.count, one.count / 10);
  Graphics& graphics = Graphics::Instance();
  EXPECT_FLOAT_EQ(graphics.TextWidth(u"0123456789", 12.0f), 15.0f);
  EXPECT_FLOAT_EQ(graphics.TextWidth(u"", 12.0f), 0.0f);
  EXPECT_FLOAT_EQ(graphics.TextWidth(u"ab", 24.0f), 6.0f);
  // "MM" spans close to two advances.
  const InkBox mm = Draw(u"MM", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  EXPECT_NEAR(mm.maxX - ColumnOf(0.0f), ColumnOf(graphics.TextWidth(u"MM", 12.0f)) - ColumnOf(0.0f), 12.0f);

  // Uncached codes, empty text and high narrow bytes draw nothing and take no room.
  EXPECT_EQ(Draw(u"", 0.0f, 0.0f, 12.0f, {1, 1, 1}).count, 0);
  EXPECT_EQ(Draw(u"Ё", 0.0f, 0.0f, 12.0f, {1, 1, 1}).count, 0);
  const InkBox plain = Draw(u"AB", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  const InkBox withIo = Draw(u"AЁB", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  EXPECT_EQ(withIo.minX, plain.minX);
  EXPECT_EQ(withIo.maxX, plain.maxX);
  EXPECT_EQ(withIo.count, plain.count);
  // Narrow text widens each byte; high bytes draw nothing.
  ClearBlack();
  Graphics::Instance().RenderTextNarrow("AB", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  const InkBox narrow = Ink(ReadBackBuffer());
  const InkBox wide = Draw(u"AB", 0.0f, 0.0f, 12.0f, {1, 1, 1});
  EXPECT_EQ(narrow.count, wide.count);
  EXPECT_EQ(narrow.minX, wide.minX);

  ClearBlack();
  Graphics::Instance().RenderTextNarrow("\xD0\x98\xC3\xA9", 0.0f, 0.0f, 12.0f, {1, 1, 1});  // UTF-8 bytes
  EXPECT_EQ(Ink(ReadBackBuffer()).count, 0);
}

TEST_F(GraphicsTextTest, TextIsTranslatedIntoTheCurrentLanguageBeforeDrawing) {
  Localisation& words = Localisation::Instance();
  const std::u16string phrase = u"Try again";
  words.Language = 1;
  const std::u16string russian = words.Translate(phrase);
  ASSERT_NE(russian, phrase) << "the dictionary should know this phrase";
  // Drawn with the Cyrillic glyphs (which glyphs are cached: FontFaceTest).
  const InkBox translated = Draw(phrase, -6.0f, 0.0f, 12.0f, {1, 1, 1});
  EXPECT_GT(translated.count, 1000);
  const PixelFrame viaTranslation = last;
  words.Language = 0;
  const InkBox direct = Draw(russian, -6.0f, 0.0f, 12.0f, {1, 1, 1});
  EXPECT_EQ(translated.count, direct.count);
  EXPECT_TRUE(viaTranslation == last);
}

// Texts over the world: a level title over a pale cloud keeps its own colour in
// front of it, set off by a dark outline; the frame-rate label (F2) takes its word
// from the dictionary and adds the number, in the lower left corner, so that it
// shows in Russian and the dictionary is never asked for a number.
TEST_F(GraphicsTextTest, TextsOverTheWorldAreOutlinedAndTheFrameRateLabelIsTranslated) {
  Graphics& graphics = Graphics::Instance();
  AddBox({0.0f, 1.0f}, {30.0f, 6.0f}, 0.93f, {1.0f, 1.0f, 1.0f});
  GraphicsEvent title;
  title.Command = GraphicsCommand::ShowText, title.Text = "Level 3 out of 8", title.Size = 12.0f, title.X = -12.0f;
  title.Color = {1.0f, 1.0f, 0.37647f};
  graphics.OnGraphicsEvent(title);
  Render();
  const PixelFrame frame = ReadBackBuffer();
  int yellow = 0, dark = 0;
  for (int y = static_cast<int>(RowOf(-0.5f)); y < RowOf(2.0f); ++y) {
    for (int x = static_cast<int>(ColumnOf(-12.5f)); x < ColumnOf(12.5f); ++x) {
      const Pixel& p = frame.At(x, y);
      yellow += p.R > 240 && p.G > 240 && p.B < 120;
      dark += p.R + p.G + p.B < 120;
    }
  }
  EXPECT_GT(yellow, 1000);
  EXPECT_GT(dark, yellow / 4);

  const Camera& camera = graphics.Camera;
  auto drawn = [&](const std::function<void()>& draw) {
    ClearBlack();
    EXPECT_EQ(StdoutOf(draw), "");
    return ReadBackBuffer();
  };
  auto label = [&](const std::u16string& shown) {
    return drawn([&] {
      graphics.Text.RenderShownText(shown, camera.Position.x - camera.ViewHalfWidth * 0.5f,
                                    camera.Position.y - camera.ViewHalfHeight * 0.5f, 12.0f, {0, 1, 0}, TextLook::Outlined);
    });
  };
  EXPECT_TRUE(drawn([&] { DebugOverlay::DrawFrameRate(graphics, 59); }) == label(u"FPS: 59"));
  Localisation::Instance().Language = 1;
  graphics.ShowDebug = true;
  const PixelFrame debug = drawn([&] { Render(); });  // a whole frame with the label on says nothing
  graphics.ShowDebug = false;
  int green = 0;
  for (int y = 0; y < Height / 20; ++y) {
    for (int x = 0; x < Width / 6; ++x) green += debug.At(x, y).G > 200 && debug.At(x, y).R < 60;
  }
  EXPECT_GT(green, 50);
  EXPECT_TRUE(drawn([&] { DebugOverlay::DrawFrameRate(graphics, 60); }) == label(u"ФПС: 60"));
  const InkBox corner = Ink(label(u"ФПС: 60"));
  EXPECT_LT(corner.minX, Width / 100);
  EXPECT_LT(corner.minY, Height / 100);
  Localisation::Instance().Language = 0;
}

}  // namespace
}  // namespace Framework
