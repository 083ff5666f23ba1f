// Full pictures and signs: the splash, the how-to-play pictures, the tutorial
// signs, the win screen and the credits. The English and Russian versions share
// one layout; only their words differ.
#include "Lettering.h"
#include "Painters.h"
#include "Palette.h"
#include "TextureSet.h"

#include <string>
#include <vector>

namespace Framework::Art {

namespace {

// Full-screen pictures: 16:9, three texels per art pixel, so 1920 x 1080 texels.
constexpr int kScreenW = 640, kScreenH = 360;

const TextLook kHeading{Pal::Lemon, Pal::Ink, Pal::Navy, Pal::Gold, 1};
const TextLook kBody{Pal::Snow, Pal::Ink, {}, {}, 1};
const TextLook kAccent{Pal::Mint, Pal::Ink, {}, {}, 1};

struct HowToPlayWords {
  const char* Title;
  const char* Walk;
  const char* Or;
  const char* Jump;
  const char* Space;
  const char* Throw1;
  const char* Throw2;
  const char* Boom1;
  const char* Boom2;
  const char* Avoid;
  const char* Exit;
  const char* Pause;
  const char* Restart;
  const char* FullScreen;
};

const HowToPlayWords kHowToPlayEn{
    "HOW TO PLAY", "WALK LEFT AND RIGHT", "OR", "JUMP", "SPACE",
    "LEFT CLICK: THROW A BOMB AT THE CURSOR", "UP TO THREE BOMBS AT A TIME",
    "RIGHT CLICK: DETONATE ALL YOUR BOMBS", "BLASTS PUSH THINGS AWAY - YOU TOO!",
    "AVOID SPIKES, SAWS AND ENEMIES", "REACH THE EXIT TO CLEAR THE LEVEL",
    "PAUSE", "RESTART", "FULL SCREEN"};

const HowToPlayWords kHowToPlayRu{
    "КАК ИГРАТЬ", "ИДИ ВЛЕВО И ВПРАВО", "ИЛИ", "ПРЫЖОК", "ПРОБЕЛ",
    "ЛЕВЫЙ КЛИК: БРОСИТЬ БОМБУ К КУРСОРУ", "НЕ БОЛЬШЕ ТРЁХ БОМБ СРАЗУ",
    "ПРАВЫЙ КЛИК: ВЗОРВАТЬ ВСЕ БОМБЫ", "ВЗРЫВ ОТБРАСЫВАЕТ ВСЁ - И ТЕБЯ!",
    "ИЗБЕГАЙ ШИПОВ, ПИЛ И ВРАГОВ", "ДОБЕРИСЬ ДО ВЫХОДА ИЗ УРОВНЯ",
    "ПАУЗА", "ЗАНОВО", "ПОЛНЫЙ ЭКРАН"};

// Global keys, one line centred across the bottom of the panel.
void DrawGlobalKeys(Canvas& c, const PixelFont& font, const HowToPlayWords& w) {
  struct KeyHint { const char* Key; const char* Word; };
  const KeyHint hints[] = {{"ESC", w.Pause}, {"R", w.Restart}, {"F11", w.FullScreen}};
  int total = 0;
  for (const KeyHint& h : hints) total += std::max(14, font.Measure(h.Key, 8) + 6) + 6 + font.Measure(h.Word, 8) + 24;
  int x = (kScreenW - total + 24) / 2;
  for (const KeyHint& h : hints) {
    x += DrawKeycap(c, font, x, 240, h.Key) + 6;
    x += DrawText(c, font, x, 243, h.Word, 8, kBody) + 24;
  }
}

// The menu draws its BACK button over the lower middle of this picture, so
// everything explanatory stays on the panel above it. Around the panel the
// picture is clear: the world the menu stands in shows there.
Canvas HowToPlay(const PixelFont& font, const HowToPlayWords& w) {
  Canvas c(kScreenW, kScreenH);
  DrawPanel(c, 16, 6, kScreenW - 32, 262, Pal::Teal, Pal::TealLight, Pal::Navy);
  DrawTextCentered(c, font, kScreenW / 2, 16, w.Title, 16, kHeading);

  const int iconX = 84, textX = 204;
  // Walking.
  int x = iconX;
  x += DrawKeycap(c, font, x, 42, "A") + 3;
  x += DrawKeycap(c, font, x, 42, "D") + 6;
  x += DrawText(c, font, x, 45, w.Or, 8, kBody) + 6;
  x += DrawArrowKey(c, x, 42, Arrow::Left) + 3;
  DrawArrowKey(c, x, 42, Arrow::Right);
  DrawText(c, font, textX, 45, w.Walk, 8, kBody);
  // Jumping.
  x = iconX;
  x += DrawKeycap(c, font, x, 64, "W") + 3;
  x += DrawArrowKey(c, x, 64, Arrow::Up) + 3;
  DrawKeycap(c, font, x, 64, w.Space);
  DrawText(c, font, textX, 67, w.Jump, 8, kBody);
  // Throwing.
  DrawMouse(c, iconX, 86, true);
  c.Blit(PaintBomb(), iconX + 24, 96);
  c.Blit(PaintBomb(), iconX + 40, 90);
  c.Blit(PaintBomb(), iconX + 56, 94);
  DrawText(c, font, textX, 90, w.Throw1, 8, kAccent);
  DrawText(c, font, textX, 102, w.Throw2, 8, kBody);
  // Detonating.
  DrawMouse(c, iconX, 118, false);
  DrawBurst(c, iconX + 38, 130, 11);
  c.Blit(PaintCrate(), iconX + 62, 118);
  DrawText(c, font, textX, 122, w.Boom1, 8, kAccent);
  DrawText(c, font, textX, 134, w.Boom2, 8, kBody);
  // Hazards.
  c.Blit(PaintSpikes(), iconX, 160);
  c.Blit(PaintSaw(), iconX + 30, 148);
  c.Blit(PaintEnemy(), iconX + 60, 156);
  DrawText(c, font, textX, 160, w.Avoid, 8, kBody);
  // The goal.
  c.Blit(PaintPlayer(), iconX + 4, 206);
  c.Blit(PaintExit(font), iconX + 24, 182);
  DrawText(c, font, textX, 208, w.Exit, 8, kBody);
  DrawGlobalKeys(c, font, w);
  return c;
}

// A wooden notice board on two posts: the in-level teaching signs.
Canvas SignBoard(int w, int boardH) {
  Canvas c(w, boardH + 20);
  for (int px : {w / 6, w * 5 / 6 - 6}) {
    c.FillRect(px, boardH - 4, 6, 24, Pal::Ink);
    c.FillRect(px + 1, boardH - 4, 4, 24, Pal::Wood);
    c.FillRect(px + 1, boardH - 4, 1, 24, Pal::Sand);
  }
  DrawPanel(c, 0, 0, w, boardH, Pal::Wood, Pal::Sand, Pal::Bark);
  for (int y = 24; y < boardH - 4; y += 24) c.FillRect(2, y, w - 4, 1, Pal::Bark);
  for (int nx : {5, w - 6}) for (int ny : {5, boardH - 6}) c.Set(nx, ny, Pal::Ink);
  return c;
}

struct TutorialWords {
  const char* Walk;
  const char* Or;
  const char* Jump;
  const char* Space;
  const char* Throw;
  const char* Boom;
  const char* Push;
};
const TutorialWords kTutorialEn{"WALK", "OR", "JUMP", "SPACE", "THROW", "BOOM!", "BLASTS PUSH YOU TOO!"};
const TutorialWords kTutorialRu{"ИДТИ", "ИЛИ", "ПРЫЖОК", "ПРОБЕЛ", "БРОСОК", "ВЗРЫВ!", "ВЗРЫВ ТОЛКАЕТ И ТЕБЯ!"};

const TextLook kSignWord{Pal::Snow, Pal::Ink, Pal::Bark, {}, 1};

Canvas Tutorial1(const PixelFont& font, const TutorialWords& w) {
  Canvas c = SignBoard(240, 84);
  DrawText(c, font, 14, 16, w.Walk, 16, kSignWord);
  int x = 116;
  x += DrawKeycap(c, font, x, 16, "A") + 3;
  x += DrawKeycap(c, font, x, 16, "D") + 5;
  x += DrawText(c, font, x, 19, w.Or, 8, kSignWord) + 5;
  x += DrawArrowKey(c, x, 16, Arrow::Left) + 3;
  DrawArrowKey(c, x, 16, Arrow::Right);
  DrawText(c, font, 14, 52, w.Jump, 16, kSignWord);
  x = 116;
  x += DrawKeycap(c, font, x, 52, "W") + 3;
  x += DrawArrowKey(c, x, 52, Arrow::Up) + 3;
  DrawKeycap(c, font, x, 52, w.Space);
  return c;
}

Canvas Tutorial2(const PixelFont& font, const TutorialWords& w) {
  Canvas c = SignBoard(240, 84);
  DrawMouse(c, 14, 6, true);
  DrawText(c, font, 38, 12, w.Throw, 16, kSignWord);
  c.Blit(PaintBomb(), 140, 9);
  DrawMouse(c, 14, 34, false);
  DrawText(c, font, 38, 42, w.Boom, 16, kSignWord);
  DrawBurst(c, 150, 46, 10);
  DrawTextCentered(c, font, 120, 67, w.Push, 8, TextLook{Pal::Lemon, Pal::Ink, {}, {}, 1});
  return c;
}

struct WinWords {
  const char* Title;
  const char* Cleared;
  const char* Thanks;
};

Canvas WinScreen(const PixelFont& font, const WinWords& w) {
  Canvas c(256, 144);
  DrawPanel(c, 0, 0, 256, 144, Pal::Gold, Pal::Lemon, Pal::Orange);
  DrawPanel(c, 6, 6, 244, 132, Pal::Teal, Pal::TealLight, Pal::Navy);
  DrawTextCentered(c, font, 128, 16, w.Title, 24, TextLook{Pal::Lemon, Pal::Ink, Pal::Red, Pal::Orange, 2});
  c.Blit(PaintPlayer(), 122, 52);
  DrawBurst(c, 78, 62, 10);
  DrawBurst(c, 178, 62, 10);
  DrawBurst(c, 100, 50, 6);
  DrawBurst(c, 156, 50, 6);
  DrawTextCentered(c, font, 128, 94, w.Cleared, 8, kBody);
  DrawTextCentered(c, font, 128, 112, w.Thanks, 8, kAccent);
  return c;
}

Canvas Splash(const PixelFont& font) {
  Canvas c(kScreenW, kScreenH);
  DrawLandscape(c, 300);
  DrawTextCentered(c, font, kScreenW / 2, 40, "TUMBRIX", 64,
                   TextLook{Pal::Lemon, Pal::Ink, Pal::Red, Pal::Orange, 5, 3});
  DrawTextCentered(c, font, kScreenW / 2, 128, "THROW. BOOM. FLY!", 16, kBody);
  // The hero mid-flight over a blast, bombs in the air.
  const Canvas hero = PaintPlayer().Upscaled(3);
  c.Blit(PaintCrate().Upscaled(2), 420, 300 - 48);
  DrawBurst(c, 250, 262, 26);
  c.Blit(hero, 280, 170);
  c.Blit(PaintBomb().Upscaled(2), 350, 190);
  c.Blit(PaintBomb().Upscaled(2), 386, 172);
  c.Blit(PaintEnemy().Upscaled(2), 500, 300 - 32);
  c.Blit(PaintSpikes().Upscaled(2), 110, 300 - 24);
  DrawTextCentered(c, font, kScreenW / 2, 336, "PRESS SPACE", 8, kBody);
  return c;
}

Canvas Credits(const PixelFont& font) {
  const int w = 240, h = 720;
  Canvas c(w, h);
  DrawPanel(c, 0, 0, w, h, Pal::Teal, Pal::TealLight, Pal::Navy);
  DrawTextCentered(c, font, w / 2, 20, "TUMBRIX", 24, TextLook{Pal::Lemon, Pal::Ink, Pal::Red, Pal::Orange, 2});
  DrawTextCentered(c, font, w / 2, 52, "A PLATFORM GAME", 8, kBody);
  DrawTextCentered(c, font, w / 2, 64, "OF BOMBS AND BLASTS", 8, kBody);
  c.Blit(PaintBomb(), w / 2 - 6, 84);

  int y = 120;
  auto section = [&](const char* title, std::vector<const char*> lines) {
    DrawTextCentered(c, font, w / 2, y, title, 16, kHeading);
    y += 28;
    for (const char* line : lines) {
      DrawTextCentered(c, font, w / 2, y, line, 8, kBody);
      y += 16;
    }
    y += 24;
  };
  section("MADE WITH", {"SDL2", "SDL_mixer", "OpenGL", "GLEW", "FreeType", "jsoncpp", "stb", "libvorbis"});
  section("FONT", {"Press Start 2P", "SIL Open Font License", "Version 1.1"});
  section("ART AND SOUND", {"drawn and played by", "the game's own", "build tools"});
  section("ENGINE", {"a small component", "engine of its own"});

  const int ground = 620;
  const Canvas tile = PaintGroundGrass();
  for (int x = 2; x < w - 2; x += tile.Width()) {
    Canvas piece = tile;
    c.Blit(piece, x, ground);
  }
  c.FillRect(2, ground + tile.Height(), w - 4, h - ground - tile.Height() - 2, Pal::Wood);
  c.Blit(PaintPlayer(), 60, ground - 24);
  c.Blit(PaintCrate(), 150, ground - 24);
  c.Blit(PaintBomb(), 96, ground - 40);
  DrawBurst(c, 188, 584, 10);
  DrawTextCentered(c, font, w / 2, 660, "THANK YOU", 16, kHeading);
  DrawTextCentered(c, font, w / 2, 684, "FOR PLAYING!", 16, kHeading);
  // Keep the panel's rim over the ground strip.
  c.FillRect(0, 0, 1, h, Pal::Ink);
  c.FillRect(w - 1, 0, 1, h, Pal::Ink);
  c.FillRect(0, h - 1, w, 1, Pal::Ink);
  return c;
}

}  // namespace

void AddScreenTextures(TextureList& list) {
  list.push_back({"splash", [](const PixelFont& f) { return Splash(f); }});
  list.push_back({"credits", [](const PixelFont& f) { return Credits(f); }});
  list.push_back({"HowToPlay", [](const PixelFont& f) { return HowToPlay(f, kHowToPlayEn); }});
  list.push_back({"HowToPlay_RU", [](const PixelFont& f) { return HowToPlay(f, kHowToPlayRu); }});
  list.push_back({"tutorial1", [](const PixelFont& f) { return Tutorial1(f, kTutorialEn); }});
  list.push_back({"tutorial1_RU", [](const PixelFont& f) { return Tutorial1(f, kTutorialRu); }});
  list.push_back({"tutorial2", [](const PixelFont& f) { return Tutorial2(f, kTutorialEn); }});
  list.push_back({"tutorial2_RU", [](const PixelFont& f) { return Tutorial2(f, kTutorialRu); }});
  list.push_back({"winscreen", [](const PixelFont& f) {
                    return WinScreen(f, {"YOU WIN!", "ALL 8 LEVELS CLEARED", "THANKS FOR PLAYING!"});
                  }});
  list.push_back({"winscreen_RU", [](const PixelFont& f) {
                    return WinScreen(f, {"ПОБЕДА!", "ВСЕ 8 УРОВНЕЙ ПРОЙДЕНЫ", "СПАСИБО ЗА ИГРУ!"});
                  }});
}

}  // namespace Framework::Art
